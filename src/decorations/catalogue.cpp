#include "decorations/catalogue.h"

#include "common/text.h"
#include "skin/file_kind.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <string>
#include <vector>

bool AppendPathNode(const char* path, FileList** tail, FileList** head) {
    FileList* node = new (std::nothrow) FileList;
    if (node == nullptr)
        return false;
    std::memset(node->path, 0, sizeof node->path);
    CopyText(node->path, path, PathSize);
    node->next = nullptr;
    // The head decides: a tail left behind by RemoveFirstPath is never followed.
    if (*head == nullptr)
        *head = node;
    else
        (*tail)->next = node;
    *tail = node;
    return true;
}

void RemoveFirstPath(FileList** head) {
    FileList* node = *head;
    if (node == nullptr)
        return;
    *head = node->next;
    delete node;
}

void RemoveAllPaths(FileList** head, FileList** tail) {
    while (*head != nullptr)
        RemoveFirstPath(head);
    *tail = nullptr;
}

const FileList* PathAt(const FileList* head, int index) {
    for (; head != nullptr && index > 0; --index)
        head = head->next;
    return index == 0 ? head : nullptr;
}

namespace {

struct Entry {
    std::string name;
    bool folder;
};

void AddEntry(void* sink, const char* name, bool isFolder) {
    auto* entries = static_cast<std::vector<Entry>*>(sink);
    try {
        entries->push_back(Entry{name, isFolder});
    } catch (const std::bad_alloc&) {
        // The entry is simply not seen; the listing goes on.
    }
}

// Letter case does not separate names on the target file system; ties keep a fixed order.
bool NameBefore(const Entry& a, const Entry& b) {
    const std::size_t n = std::min(a.name.size(), b.name.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a.name[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b.name[i]));
        if (ca != cb)
            return ca < cb;
    }
    if (a.name.size() != b.name.size())
        return a.name.size() < b.name.size();
    return a.name < b.name;
}

// folder + "\" + name, or false when that does not fit a path field (it would name
// another file once cut short).
bool JoinPath(const char* folder, const std::string& name, char (&out)[PathSize]) {
    const std::size_t f = std::strlen(folder);
    if (f + 1 + name.size() > PathSize - 1)
        return false;
    std::memcpy(out, folder, f);
    out[f] = '\\';
    std::memcpy(out + f + 1, name.data(), name.size());
    out[f + 1 + name.size()] = '\0';
    return true;
}

void ListOneFolder(const FolderSource& source, const char* current, int* count, FileList** head,
                   FileList** tail, FileList** waitingHead, FileList** waitingTail) {
    std::vector<Entry> entries;
    if (!source.search(current, AddEntry, &entries))
        return; // an unsearchable folder contributes nothing
    std::sort(entries.begin(), entries.end(), NameBefore);
    char path[PathSize];
    for (const Entry& e : entries) {
        if (e.name.empty() || e.name[0] == '.')
            continue;
        if (!JoinPath(current, e.name, path))
            continue;
        if (e.folder) {
            if (!AppendPathNode(path, waitingTail, waitingHead) && source.memoryFull != nullptr)
                source.memoryFull();
        } else if (IsPictureKind(FileKindOf(path))) {
            ++*count;
            if (!AppendPathNode(path, tail, head) && source.memoryFull != nullptr)
                source.memoryFull();
        }
    }
}

} // namespace

ListingResult ListPictureFilesFrom(const FolderSource& source, const char* folder, int* count,
                                   FileList** head, FileList** tail) {
    char current[PathSize];
    CopyText(current, folder, PathSize);
    ListingResult result{LookupFailed, 0};
    result.lookup = source.lookUp(current, &result.error);
    if (result.lookup == LookupFailed)
        return result;
    if (result.lookup == LookupFile) {
        *count = 1;
        return result;
    }
    *count = 0;
    FileList* waitingHead = nullptr;
    FileList* waitingTail = nullptr;
    for (;;) {
        ListOneFolder(source, current, count, head, tail, &waitingHead, &waitingTail);
        if (waitingHead == nullptr)
            break;
        CopyText(current, waitingHead->path, PathSize);
        RemoveFirstPath(&waitingHead);
        if (waitingHead == nullptr)
            waitingTail = nullptr;
    }
    return result;
}
