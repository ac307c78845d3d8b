#pragma once

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <QString>

// The GIO functions the program uses. GIO, and with it GObject, libmount and
// libblkid, is loaded at the first launch rather than at start-up.
struct GioApi {
    decltype(&::g_app_info_launch) app_info_launch = nullptr;
    decltype(&::g_app_info_launch_default_for_uri) app_info_launch_default_for_uri = nullptr;
    decltype(&::g_app_launch_context_new) app_launch_context_new = nullptr;
    decltype(&::g_clear_error) clear_error = nullptr;
    decltype(&::g_desktop_app_info_new_from_filename) desktop_app_info_new_from_filename = nullptr;
    decltype(&::g_file_new_for_path) file_new_for_path = nullptr;
    decltype(&::g_file_set_attribute_string) file_set_attribute_string = nullptr;
    decltype(&::g_filename_to_uri) filename_to_uri = nullptr;
    decltype(&::g_free) free = nullptr;
    decltype(&::g_object_unref) object_unref = nullptr;
    decltype(&::g_app_info_get_default_for_uri_scheme) app_info_get_default_for_uri_scheme = nullptr;
    decltype(&::g_app_info_get_display_name) app_info_get_display_name = nullptr;
    decltype(&::g_desktop_app_info_new) desktop_app_info_new = nullptr;
    decltype(&::g_desktop_app_info_get_is_hidden) desktop_app_info_get_is_hidden = nullptr;
    decltype(&::g_vfs_get_default) vfs_get_default = nullptr;
    decltype(&::g_vfs_get_supported_uri_schemes) vfs_get_supported_uri_schemes = nullptr;
};

// The functions, loaded on the first call; nullptr, with why set, when GIO
// cannot be loaded.
const GioApi* gio(QString* why = nullptr);
