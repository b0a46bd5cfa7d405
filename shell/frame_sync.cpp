// SPDX-License-Identifier: MIT
// GTK 3 toplevels take part in the window manager's extended frame
// synchronisation: they publish a sync counter that is odd while the toolkit
// draws a frame, and a compositor (mutter) keeps showing the window's last
// finished frame until the counter is even again and the toolkit has drawn a
// frame of its own after each sync request. The game swaps its GL frames
// straight from input handlers, outside the toolkit's frame cycle, and sleeps
// on the GUI thread after a trick, so such a compositor could show an older
// picture for seconds. A window without the counter is composited as soon as
// its pixels change.
#include "shell/frame_sync.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/toplevel.h>

namespace gub {

namespace {

void dropSyncCounter(GtkWidget* widget, gpointer) {
  GdkWindow* window = gtk_widget_get_window(widget);
  if (window == nullptr || !GDK_IS_X11_WINDOW(window)) return;
  // The toolkit then no longer waits for the compositor's word that a frame
  // was drawn, which without the counter never comes.
  gdk_x11_window_set_frame_sync_enabled(window, FALSE);
  Display* display = GDK_WINDOW_XDISPLAY(window);
  Window xid = GDK_WINDOW_XID(window);
  XDeleteProperty(display, xid, XInternAtom(display, "_NET_WM_SYNC_REQUEST_COUNTER", False));
  // Nor is the window asked for sync requests that it would answer only with
  // a frame of the toolkit's.
  Atom syncRequest = XInternAtom(display, "_NET_WM_SYNC_REQUEST", False);
  Atom* protocols = nullptr;
  int count = 0;
  if (XGetWMProtocols(display, xid, &protocols, &count) != 0) {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
      if (protocols[i] != syncRequest) protocols[kept++] = protocols[i];
    }
    if (kept != count) XSetWMProtocols(display, xid, protocols, kept);
    XFree(protocols);
  }
}

}  // namespace

void leaveFrameSync(wxTopLevelWindow& window) {
  GtkWidget* widget = window.GetHandle();
  if (widget == nullptr) return;
  // Right after the toolkit has made the X window, before it is mapped: the
  // window manager reads the counter when it takes the window on.
  if (gtk_widget_get_realized(widget)) {
    dropSyncCounter(widget, nullptr);
  } else {
    g_signal_connect_after(widget, "realize", G_CALLBACK(dropSyncCounter), nullptr);
  }
}

}  // namespace gub
