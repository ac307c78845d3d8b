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
                   && library.resolve(api.object_unref, "g_object_unref");
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
