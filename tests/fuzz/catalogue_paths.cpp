// Path handling of the decoration catalogue: the bounded text helpers on fields of exactly
// their size, the folder listing over a made-up tree of any names and depths, and the
// thumbnail pages written from the list.
//
// Input: a first byte choosing the text helpers (even) or the listing (odd).
// Text helpers: field size, destination contents, source bytes, prefix bytes, a path.
// Listing: root folder bytes, what the root is, earlier list entries, tree entries (parent,
// kind, name), page presses, weights list entries.
#include "fuzz_support.h"

#include "common/text.h"
#include "decorations/catalogue.h"
#include "decorations/thumbnail_pages.h"
#include "skin/file_kind.h"
#include "skin/skin_tables.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string>

namespace {

// ---- text helpers ----

int FieldSize(FuzzInput& in) {
    static const int sizes[] = {0, 1, 2, PathSize - 1, PathSize, PathSize + 1};
    const uint8_t choice = in.Byte();
    return choice < 6 * 32 ? sizes[choice % 6] : in.Between(0, 600);
}

// The bytes as a helper may be handed them: either with a terminator, or at least `bound`
// bytes long, since the helpers read no further than that.
ExactBuffer Source(const std::vector<uint8_t>& bytes, std::size_t bound) {
    const std::size_t first = std::min(bytes.size(), bound);
    const bool terminated =
        std::find(bytes.begin(), bytes.begin() + first, 0) != bytes.begin() + first;
    std::vector<uint8_t> s = bytes;
    if (!terminated && s.size() < bound)
        s.push_back(0);
    return ExactBuffer(s);
}

std::string Prefix(const ExactBuffer& s, std::size_t bound) {
    std::size_t n = 0;
    while (n < bound && n < s.size() && s[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(s.data()), n);
}

// The field holds exactly `text`, terminated, within its size.
void CheckField(const ExactBuffer& field, const std::string& text) {
    FUZZ_CHECK(text.size() < field.size());
    FUZZ_CHECK(field.Equals(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    FUZZ_CHECK(field[text.size()] == 0);
}

void TextHelpers(FuzzInput& in) {
    const int size = FieldSize(in);
    const std::size_t bound = size > 0 ? static_cast<std::size_t>(size) - 1 : 0;
    const std::vector<uint8_t> old = in.Bytes(in.Between(0, 600));
    const ExactBuffer src = Source(in.Bytes(in.Between(0, 600)), bound);
    const ExactBuffer prefix = Source(in.Bytes(in.Between(0, 600)), bound);
    std::vector<uint8_t> pathBytes = in.Bytes(in.Between(0, 600));
    std::replace(pathBytes.begin(), pathBytes.end(), uint8_t{0}, uint8_t{'\\'});
    pathBytes.push_back(0); // the path of a folder is a string from the system
    const ExactBuffer path(pathBytes);
    const std::string source = Prefix(src, bound);

    // A field of exactly `size` bytes; what it held before is the input's, terminated or not.
    auto field = [&] {
        auto f = std::make_unique<ExactBuffer>(static_cast<std::size_t>(size), uint8_t{'#'});
        if (!old.empty())
            std::memcpy(f->data(), old.data(), std::min(old.size(), f->size()));
        return f;
    };

    auto copy = field();
    CopyText(reinterpret_cast<char*>(copy->data()), reinterpret_cast<const char*>(src.data()),
             size);
    if (size > 0)
        CheckField(*copy, source);

    auto appended = field();
    const std::string before = Prefix(*appended, appended->size());
    const bool wasTerminated = before.size() < appended->size();
    AppendText(reinterpret_cast<char*>(appended->data()), reinterpret_cast<const char*>(src.data()),
               size);
    if (size > 0 && wasTerminated)
        CheckField(*appended, before + source.substr(0, bound - before.size()));
    // Even a field that held no terminator ends up terminated.
    if (size > 0)
        FUZZ_CHECK(std::memchr(appended->data(), 0, appended->size()) != nullptr);

    auto text = field();
    const std::string oldText = Prefix(*text, bound);
    const std::string pre = Prefix(prefix, bound);
    PrefixText(reinterpret_cast<char*>(text->data()), reinterpret_cast<const char*>(prefix.data()),
               size);
    if (size > 0)
        CheckField(*text, pre + oldText.substr(0, bound - pre.size()));

    auto folder = field();
    FolderOfPath(reinterpret_cast<const char*>(path.data()),
                 reinterpret_cast<char*>(folder->data()), size);
    const std::string p(reinterpret_cast<const char*>(path.data()));
    const std::size_t cut = p.rfind('\\');
    if (size > 0)
        CheckField(*folder, cut == std::string::npos ? "" : p.substr(0, std::min(cut, bound)));
}

// ---- the listing ----

struct Node {
    std::string name;
    int parent; // -1: the root
    bool folder, searchable;
    std::string path; // root + "\" + names, however long
};

struct Tree {
    std::string root;
    int rootKind;
    bool rootSearchable;
    std::vector<Node> nodes;
    std::map<std::string, int> folderAt; // path -> node, -1 for the root
    std::vector<int> searchOrder;        // folders in the order they were searched
};

Tree* Walked = nullptr;

int LookUp(const char* path, unsigned long* error) {
    FUZZ_CHECK(std::strlen(path) < PathSize);
    FUZZ_CHECK(path == Walked->root); // only the root is looked up
    if (Walked->rootKind == LookupFailed)
        *error = 3;
    return Walked->rootKind;
}

bool Search(const char* folder, void (*add)(void*, const char*, bool), void* sink) {
    FUZZ_CHECK(std::strlen(folder) < PathSize);
    const auto at = Walked->folderAt.find(folder);
    FUZZ_CHECK(at != Walked->folderAt.end()); // never a folder that does not exist
    Walked->searchOrder.push_back(at->second);
    if (at->second == -1 ? !Walked->rootSearchable : !Walked->nodes[at->second].searchable)
        return false;
    for (const Node& n : Walked->nodes)
        if (n.parent == at->second)
            add(sink, n.name.c_str(), n.folder);
    return true;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Name(FuzzInput& in) {
    std::vector<uint8_t> bytes = in.Bytes(in.Between(0, 255));
    for (uint8_t& b : bytes)
        if (b == 0 || b == '\\')
            b = '_';
    return std::string(bytes.begin(), bytes.end());
}

// Whether the listing gets to a node: it fits a path field, no name on its way is empty or
// starts with a dot, and every folder above it can be searched.
bool Reached(const Tree& t, int i) {
    if (t.nodes[i].path.size() > PathSize - 1 || !t.rootSearchable)
        return false;
    for (int k = i; k != -1; k = t.nodes[k].parent) {
        const Node& n = t.nodes[k];
        if (n.name.empty() || n.name[0] == '.' || (k != i && !n.searchable))
            return false;
    }
    return true;
}

int Depth(const std::string& path, std::size_t rootLength) {
    return static_cast<int>(std::count(path.begin() + rootLength, path.end(), '\\'));
}

struct OwnedList {
    FileList* head = nullptr;
    FileList* tail = nullptr;
    ~OwnedList() { RemoveAllPaths(&head, &tail); }
    std::vector<std::string> Paths() const {
        std::vector<std::string> out;
        for (const FileList* p = head; p != nullptr; p = p->next) {
            FUZZ_CHECK(strnlen(p->path, PathSize) < PathSize);
            out.emplace_back(p->path);
        }
        return out;
    }
};

// Row `row` of a skin's table.
const char* Row(const SkinDescriptor& d, int table, int row) {
    return table == HiTable ? d.hi[row] : d.norm[row];
}

void CheckPage(const std::vector<std::string>& paths, int first, int table, int kind,
               const SkinDescriptor& dlg4, const SkinDescriptor& dlg40) {
    for (int s = 0; s < ThumbnailCount; ++s) {
        const std::size_t index = static_cast<std::size_t>(first) + s;
        if (index < paths.size()) {
            const SkinDescriptor& d = kind == RowsOf40 ? dlg40 : dlg4;
            const int row = (kind == RowsOf40 ? FirstThumbnailOf40 : FirstThumbnailOf4x) + s;
            FUZZ_CHECK(strnlen(Row(d, table, row), PathSize) < PathSize);
            FUZZ_CHECK(paths[index] == Row(d, table, row));
        } else {
            FUZZ_CHECK(dlg4.norm[FirstThumbnailOf4x + s][0] == 0 &&
                       dlg4.hi[FirstThumbnailOf4x + s][0] == 0);
            FUZZ_CHECK(dlg40.norm[FirstThumbnailOf40 + s][0] == 0 &&
                       dlg40.hi[FirstThumbnailOf40 + s][0] == 0);
        }
    }
}

void Listing(FuzzInput& in) {
    Tree tree;
    Walked = &tree;
    // The folder as it may be handed in: a field that need not hold a terminator.
    std::vector<uint8_t> rootBytes = in.Bytes(in.Between(0, 300));
    std::replace(rootBytes.begin(), rootBytes.end(), uint8_t{0}, uint8_t{'r'});
    const ExactBuffer rootField = Source(rootBytes, PathSize - 1);
    tree.root = Prefix(rootField, PathSize - 1);
    const uint8_t rootChoice = in.Byte();
    const int kind = rootChoice & 3;
    tree.rootKind = kind == 0 ? LookupFailed : kind == 1 ? LookupFile : LookupFolder;
    tree.rootSearchable = (rootChoice & 4) == 0;
    tree.folderAt[tree.root] = -1;

    // The list may already hold entries, or have lost its only one and kept a stale tail.
    OwnedList list;
    const int earlier = in.Between(0, 3);
    std::vector<std::string> before;
    for (int k = 0; k < earlier; ++k) {
        std::string p = Name(in);
        p += Name(in);
        FUZZ_CHECK(AppendPathNode(p.c_str(), &list.tail, &list.head));
        before.push_back(p.substr(0, PathSize - 1));
    }
    if (earlier == 1 && (rootChoice & 8)) {
        RemoveFirstPath(&list.head);
        before.clear();
    }

    const int entries = in.Between(0, 40);
    for (int k = 0; k < entries; ++k) {
        std::vector<int> folders = {-1};
        for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i)
            if (tree.nodes[i].folder)
                folders.push_back(i);
        Node n;
        n.parent = folders[in.Byte() % folders.size()];
        const uint8_t kind = in.Byte();
        n.folder = (kind & 1) != 0;
        n.searchable = (kind & 2) == 0;
        n.name = Name(in);
        const std::string& parentPath = n.parent == -1 ? tree.root : tree.nodes[n.parent].path;
        n.path = parentPath + "\\" + n.name;
        // Names are unique within a folder, letter case aside, as on the target file system.
        bool clash = false;
        for (const Node& m : tree.nodes)
            clash = clash || (m.parent == n.parent && SameName(m.name, n.name));
        if (clash)
            continue;
        if (n.folder && n.path.size() <= PathSize - 1)
            tree.folderAt[n.path] = static_cast<int>(tree.nodes.size());
        tree.nodes.push_back(n);
    }

    int count = -7;
    const ListingResult result = ListPictureFilesFrom(
        FolderSource{LookUp, Search, nullptr}, reinterpret_cast<const char*>(rootField.data()),
        &count, &list.head, &list.tail);
    FUZZ_CHECK(result.lookup == tree.rootKind);
    const std::vector<std::string> paths = list.Paths();
    FUZZ_CHECK(paths.size() >= before.size() &&
               std::equal(before.begin(), before.end(), paths.begin()));
    const std::vector<std::string> listed(paths.begin() + before.size(), paths.end());
    if (tree.rootKind == LookupFailed) {
        FUZZ_CHECK(result.error == 3 && count == -7 && listed.empty());
    } else if (tree.rootKind == LookupFile) {
        FUZZ_CHECK(count == 1 && listed.empty());
    } else {
        std::vector<std::string> expected;
        std::vector<int> expectedSearches = {-1};
        for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i) {
            const Node& n = tree.nodes[i];
            if (!Reached(tree, i))
                continue;
            if (n.folder)
                expectedSearches.push_back(i);
            else if (IsPictureKind(FileKindOf(n.path.c_str())))
                expected.push_back(n.path);
        }
        FUZZ_CHECK(count == static_cast<int>(listed.size()));
        std::vector<std::string> a = listed, b = expected;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        FUZZ_CHECK(a == b);
        // Breadth first: never a deeper path before a shallower one; a folder's files together
        // and in name order, letter case aside.
        std::vector<std::string> finished;
        for (std::size_t i = 1; i < listed.size(); ++i) {
            const std::string& p = listed[i - 1];
            const std::string& q = listed[i];
            FUZZ_CHECK(Depth(p, tree.root.size()) <= Depth(q, tree.root.size()));
            const std::string pf = p.substr(0, p.rfind('\\')), qf = q.substr(0, q.rfind('\\'));
            if (pf == qf) {
                std::string pn = p.substr(pf.size() + 1), qn = q.substr(qf.size() + 1);
                for (std::string* s : {&pn, &qn})
                    for (char& c : *s)
                        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                FUZZ_CHECK(pn <= qn);
            } else {
                finished.push_back(pf);
                FUZZ_CHECK(std::find(finished.begin(), finished.end(), qf) == finished.end());
            }
        }
        // Every folder it gets to searched once, the root first.
        FUZZ_CHECK(!tree.searchOrder.empty() && tree.searchOrder[0] == -1);
        std::vector<int> searched = tree.searchOrder;
        std::sort(searched.begin(), searched.end());
        FUZZ_CHECK(searched == expectedSearches);
    }

    // Any index: the entry there, or nothing.
    const int index = in.I32();
    const FileList* at = PathAt(list.head, index);
    if (index >= 0 && static_cast<std::size_t>(index) < paths.size())
        FUZZ_CHECK(at != nullptr && paths[index] == at->path);
    else
        FUZZ_CHECK(at == nullptr);

    // Paging through the list and writing each page into the skins' rows.
    auto dlg4 = std::make_unique<SkinDescriptor>();
    auto dlg40 = std::make_unique<SkinDescriptor>();
    std::memset(dlg4.get(), 'Z', sizeof *dlg4); // rows without a terminator until written
    std::memset(dlg40.get(), 'Z', sizeof *dlg40);
    const int files = static_cast<int>(paths.size());
    int page = 0;
    const int presses = in.Between(0, 8);
    for (int k = 0; k < presses; ++k) {
        const uint8_t press = in.Byte();
        page = (press & 1) ? PageAfterPgDn(page, files) : PageAfterPgUp(page);
        FUZZ_CHECK(page >= 0 && (page == 0 || ThumbnailCount * page < files));
        const int table = (press & 2) ? HiTable : NormTable;
        const int kind = (press & 4) ? RowsOf40 : RowsOf4x;
        RecordPagePaths(list.head, ThumbnailCount * page, table, kind, *dlg4, *dlg40);
        CheckPage(paths, ThumbnailCount * page, table, kind, *dlg4, *dlg40);
    }

    // The Foreground's page pairs the k-th picture with the k-th weights picture.
    OwnedList weights;
    std::vector<std::string> weightPaths;
    const int weightCount = in.Between(0, 40);
    for (int k = 0; k < weightCount; ++k) {
        const std::string p = tree.root + "\\W\\" + Name(in);
        FUZZ_CHECK(AppendPathNode(p.c_str(), &weights.tail, &weights.head));
        weightPaths.push_back(p.substr(0, PathSize - 1));
    }
    RecordForegroundPagePaths(list.head, weights.head, ThumbnailCount * page, *dlg4, *dlg40);
    for (int s = 0; s < ThumbnailCount; ++s) {
        const std::size_t index = static_cast<std::size_t>(ThumbnailCount) * page + s;
        const char* norm = dlg4->norm[FirstThumbnailOf4x + s];
        const char* hi = dlg4->hi[FirstThumbnailOf4x + s];
        FUZZ_CHECK(strnlen(norm, PathSize) < PathSize && strnlen(hi, PathSize) < PathSize);
        // Past the end of the shorter list a slot is emptied, whichever list ran out.
        if (index < paths.size() && index >= weightPaths.size())
            FUZZ_CHECK(paths[index] == norm && hi[0] == 0);
        if (index >= paths.size())
            FUZZ_CHECK(norm[0] == 0 && hi[0] == 0);
        if (index < paths.size() && index < weightPaths.size())
            FUZZ_CHECK(paths[index] == norm && weightPaths[index] == hi);
    }

    // Where a thumbnail of any size lands in its slot: inside it, centred when smaller.
    const int tw = in.Between(0, 0xffff), th = in.Between(0, 0xffff);
    const ThumbnailPlacement place = PlaceThumbnail(tw, th);
    FUZZ_CHECK(place.width == std::min(tw, ThumbnailSize) &&
               place.height == std::min(th, ThumbnailSize));
    FUZZ_CHECK(place.x >= 0 && place.x + place.width <= ThumbnailSize);
    FUZZ_CHECK(place.y >= 0 && place.y + place.height <= ThumbnailSize);
    const int span = 2 * place.x + place.width;
    FUZZ_CHECK(span == ThumbnailSize || span == ThumbnailSize - 1);
    Walked = nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    if (in.Byte() % 2 == 0)
        TextHelpers(in);
    else
        Listing(in);
    return 0;
}
