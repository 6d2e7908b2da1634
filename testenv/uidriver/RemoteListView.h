#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "testenv/uidriver/RemoteBuffer.h"

// A list view of the driven process. Its messages carry pointers into that
// process, so every structure goes through a RemoteBuffer; the driver and
// the program are built for the same bitness, so the structures match.
class RemoteListView {
public:
    // The state image of a row: none, the empty box, the ticked box.
    static constexpr int NoBox = 0;
    static constexpr int EmptyBox = 1;
    static constexpr int TickedBox = 2;

    RemoteListView(HANDLE process, HWND list) : process_(process), list_(list) {}

    HWND handle() const { return list_; }

    int rowCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
    bool hasRow(int row) const { return row >= 0 && row < rowCount(); }

    int columnCount() const {
        HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
        return header == nullptr ? 0 : static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    }

    bool text(int row, int column, std::string* text) const {
        const SIZE_T capacity = 1024;
        RemoteBuffer remote(process_, sizeof(LVITEMA) + capacity);
        if (!remote.valid())
            return false;
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = remote.address() + sizeof(LVITEMA);
        item.cchTextMax = static_cast<int>(capacity);
        const char nothing = '\0';
        if (!remote.write(0, &item, sizeof item) || !remote.write(sizeof(LVITEMA), &nothing, 1))
            return false;
        SendMessageA(list_, LVM_GETITEMTEXTA, row, remote.parameter());
        char buffer[capacity + 1] = {};
        if (!remote.read(sizeof(LVITEMA), buffer, capacity))
            return false;
        *text = buffer;
        return true;
    }

    int stateImage(int row) const {
        const LRESULT state = SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
        return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
    }

    bool setStateImage(int row, int image) const {
        return setState(row, INDEXTOSTATEIMAGEMASK(image), LVIS_STATEIMAGEMASK);
    }

    bool isSelected(int row) const {
        return (SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    }

    bool setSelected(int row, bool selected) const {
        return setState(row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }

    bool ensureVisible(int row) const { return SendMessageA(list_, LVM_ENSUREVISIBLE, row, FALSE) != 0; }

    // A row's whole rectangle, or the text part of one of its cells, in the
    // list's client coordinates.
    bool rowRect(int row, RECT* rect) const { return itemRect(LVM_GETITEMRECT, row, 0, LVIR_BOUNDS, rect); }
    bool labelRect(int row, int column, RECT* rect) const {
        if (column == 0)
            return itemRect(LVM_GETITEMRECT, row, 0, LVIR_LABEL, rect);
        return itemRect(LVM_GETSUBITEMRECT, row, column, LVIR_LABEL, rect);
    }

    // The row under a point of the list's client area (-1 for none) and
    // what part of it (LVHT_ flags).
    int hitTest(POINT point, UINT* flags) const {
        RemoteBuffer remote(process_, sizeof(LVHITTESTINFO));
        LVHITTESTINFO hit = {};
        hit.pt = point;
        *flags = 0;
        if (!remote.write(0, &hit, sizeof hit))
            return -1;
        const int row = static_cast<int>(SendMessageA(list_, LVM_HITTEST, 0, remote.parameter()));
        if (!remote.read(0, &hit, sizeof hit))
            return -1;
        *flags = hit.flags;
        return row;
    }

private:
    bool setState(int row, UINT state, UINT mask) const {
        RemoteBuffer remote(process_, sizeof(LVITEMA));
        LVITEMA item = {};
        item.stateMask = mask;
        item.state = state;
        if (!remote.write(0, &item, sizeof item))
            return false;
        return SendMessageA(list_, LVM_SETITEMSTATE, row, remote.parameter()) != 0;
    }

    bool itemRect(UINT message, int row, int column, int part, RECT* rect) const {
        RemoteBuffer remote(process_, sizeof(RECT));
        RECT asked = {};
        asked.left = part;
        asked.top = column;
        if (!remote.write(0, &asked, sizeof asked))
            return false;
        if (SendMessageA(list_, message, row, remote.parameter()) == 0)
            return false;
        return remote.read(0, rect, sizeof *rect);
    }

    HANDLE process_;
    HWND list_;
};
