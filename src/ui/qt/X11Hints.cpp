#include "ui/qt/X11Hints.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ui::qt {
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

void KeepCaptionEmpty(QWidget* top) {
  xcb_connection_t* connection = Connection();
  if (!connection) return;
  const auto window = static_cast<xcb_window_t>(top->winId());
  // Present but empty, so that the window manager shows no name at all.
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                      8, 0, "");
  const xcb_atom_t netName = Atom(connection, "_NET_WM_NAME"),
                   utf8 = Atom(connection, "UTF8_STRING");
  if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netName, utf8, 8, 0, "");
  xcb_flush(connection);
}

void CancelSystemMove(QWidget* top) {
  xcb_connection_t* connection = Connection();
  if (!connection) return;
  const xcb_atom_t moveResize = Atom(connection, "_NET_WM_MOVERESIZE");
  if (moveResize == XCB_ATOM_NONE) return;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  if (!screen) return;
  constexpr uint32_t kCancel = 11, kLeftButton = 1, kFromAnApplication = 1;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(top->winId());
  message.type = moveResize;
  message.data.data32[2] = kCancel;
  message.data.data32[3] = kLeftButton;
  message.data.data32[4] = kFromAnApplication;
  xcb_send_event(connection, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
}

void ShowBorderOnly(QWidget* top) {
  xcb_connection_t* connection = Connection();
  if (!connection) return;
  const xcb_atom_t motif = Atom(connection, "_MOTIF_WM_HINTS");
  if (motif == XCB_ATOM_NONE) return;
  // Motif hints: flags (functions, decorations), functions (move only),
  // decorations (border only), input mode, status.
  constexpr uint32_t kFunctionsAndDecorations = 1 | 2, kMoveOnly = 4, kBorderOnly = 2;
  const uint32_t hints[5] = {kFunctionsAndDecorations, kMoveOnly, kBorderOnly, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(top->winId()),
                      motif, motif, 32, 5, hints);
  xcb_flush(connection);
}

}  // namespace ui::qt
