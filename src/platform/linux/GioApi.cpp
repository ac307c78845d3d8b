#include "GioApi.h"

#include "DynamicLibrary.h"

namespace {

struct LoadedGio {
    DynamicLibrary library{"libgio-2.0.so.0"};
    GioApi api;
    bool complete = false;

    LoadedGio()
    {
        complete = library.resolve(api.app_info_launch, "g_app_info_launch")
                   && library.resolve(api.app_info_launch_default_for_uri, "g_app_info_launch_default_for_uri")
                   && library.resolve(api.app_launch_context_new, "g_app_launch_context_new")
                   && library.resolve(api.clear_error, "g_clear_error")
                   && library.resolve(api.desktop_app_info_new_from_filename, "g_desktop_app_info_new_from_filename")
                   && library.resolve(api.file_new_for_path, "g_file_new_for_path")
                   && library.resolve(api.file_set_attribute_string, "g_file_set_attribute_string")
                   && library.resolve(api.filename_to_uri, "g_filename_to_uri")
                   && library.resolve(api.free, "g_free")
                   && library.resolve(api.object_unref, "g_object_unref")
                   && library.resolve(api.app_info_get_default_for_uri_scheme,
                                      "g_app_info_get_default_for_uri_scheme")
                   && library.resolve(api.app_info_get_display_name, "g_app_info_get_display_name")
                   && library.resolve(api.desktop_app_info_new, "g_desktop_app_info_new")
                   && library.resolve(api.desktop_app_info_get_is_hidden, "g_desktop_app_info_get_is_hidden")
                   && library.resolve(api.vfs_get_default, "g_vfs_get_default")
                   && library.resolve(api.vfs_get_supported_uri_schemes, "g_vfs_get_supported_uri_schemes");
    }
};

}  // namespace

const GioApi* gio(QString* why)
{
    static const LoadedGio loaded;
    if (!loaded.complete && why)
        *why = QString::fromStdString(loaded.library.error());
    return loaded.complete ? &loaded.api : nullptr;
}
