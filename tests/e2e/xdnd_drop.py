"""Drops files on the window under a screen point the way a Linux file manager does, through
the X drag-and-drop protocol (Wine turns the drop into WM_DROPFILES).

    python3 xdnd_drop.py X Y FILE...   (DISPLAY names the X server)
"""

import sys
import time
from urllib.parse import quote

from Xlib import X, display
from Xlib.protocol import event

VERSION = 5


def aware_window_at(d, x, y):
    """The deepest window under the root point (x, y) that takes drops."""
    root = d.screen().root
    aware = d.intern_atom("XdndAware")
    window, found = root, None
    while True:
        child = window.translate_coords(root, x, y).child
        if not child:
            return found
        window = child
        if window.get_full_property(aware, X.AnyPropertyType) is not None:
            found = window


def send(d, target, source, name, data):
    message = event.ClientMessage(window=target, client_type=d.intern_atom(name),
                                  data=(32, (source.id, *data)))
    target.send_event(message, event_mask=0)
    d.flush()


def drop(x, y, files, timeout=10.0):
    d = display.Display()
    root = d.screen().root
    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    uri_list = d.intern_atom("text/uri-list")
    selection = d.intern_atom("XdndSelection")
    payload = "".join("file://" + quote(f) + "\r\n" for f in files).encode()
    source.set_selection_owner(selection, X.CurrentTime)
    target = aware_window_at(d, x, y)
    if target is None:
        raise SystemExit(f"no window takes drops at {x},{y}")

    send(d, target, source, "XdndEnter", (VERSION << 24, uri_list, 0, 0))
    send(d, target, source, "XdndPosition", (0, (x << 16) | y, X.CurrentTime,
                                             d.intern_atom("XdndActionCopy")))
    accepted = dropped = finished = False
    end = time.monotonic() + timeout
    while time.monotonic() < end and not finished:
        if not d.pending_events():
            time.sleep(0.02)
            continue
        e = d.next_event()
        if e.type == X.SelectionRequest:
            ok = e.selection == selection and e.target == uri_list
            if ok:
                e.requestor.change_property(e.property, uri_list, 8, payload)
            notify = event.SelectionNotify(time=e.time, requestor=e.requestor,
                                           selection=e.selection, target=e.target,
                                           property=e.property if ok else X.NONE)
            e.requestor.send_event(notify)
            d.flush()
        elif e.type == X.ClientMessage and e.client_type == d.intern_atom("XdndStatus"):
            accepted = bool(e.data[1][1] & 1)  # (format, values)
            if not accepted:
                raise SystemExit("the window refused the drop")
            if not dropped:
                send(d, target, source, "XdndDrop", (0, X.CurrentTime, 0, 0))
                dropped = True
        elif e.type == X.ClientMessage and e.client_type == d.intern_atom("XdndFinished"):
            finished = True
    if not dropped:
        raise SystemExit("no answer to the drag")
    # Wine may not send XdndFinished; the drop has been delivered either way.
    source.destroy()
    d.close()


if __name__ == "__main__":
    drop(int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:])
