#include "colour/ui/DesktopProfile.h"

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#if VOVIRO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace colour {

std::vector<uint8_t> DesktopMonitorProfile()
{
    std::vector<uint8_t> bytes;
#if VOVIRO_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return bytes;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return bytes;
    const char name[] = "_ICC_PROFILE";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return bytes;
    // Up to 16 MiB (the length is counted in 32-bit units).
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection,
            xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_CARDINAL, 0, 4 * 1024 * 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 8)
        return bytes;
    const auto* data = static_cast<const uint8_t*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    if (data && length > 0)
        bytes.assign(data, data + length);
#endif
    return bytes;
}

std::string DesktopProfileSavePath()
{
    const char* home = std::getenv("HOME");
    const std::filesystem::path folder
        = std::filesystem::path(home && *home ? home : "/tmp") / ".local/share/color/icc";
    return (folder / "desktop-monitor.icc").string();
}

} // namespace colour
