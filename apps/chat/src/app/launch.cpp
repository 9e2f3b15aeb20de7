#include "app/launch.h"

#include "app/action_handler.h"
#include "app/chat_app.h"
#include "app/screenshot.h"
#include "blobstore/blobstore.h"
#include "identity/xdg_paths.h"
#include "ui/persist/persist.h"

#include <cstdlib>

namespace chat {

std::optional<std::filesystem::path> resolve_data_dir()
{
    if (char const* dir = std::getenv("ORVO_CHAT_DATA")) return std::filesystem::path(dir);
    auto base = xdg_paths::data_dir();
    if (!base) {
        auto home = xdg_paths::home();
        if (!home) return std::nullopt;
        base = *home / ".local/share";
    }
    return *base / "orvo-chat";
}

orvo_ui::persist::OpenResult open_document(orvo_ui::persist::AppInfo const& app, orvo_ui::persist::Storage const& storage)
{
    if (auto dir = resolve_data_dir()) return orvo_ui::persist::open_migrating(app, storage, *dir / DOCUMENT_FILE);
    return orvo_ui::persist::open(app, storage);
}

std::unique_ptr<orvo_ui::Widget> make_root_widget()
{
    auto app = std::make_unique<ChatApp>();
    app->interactive = true;
    app->local_identity = identity_from_environment(resolve_data_dir());
    for (auto* input : {&app->composer, &app->thread_composer, &app->edit_input, &app->rename_input})
        input->set_local_author(app->local_identity.id);
    // The call media transport is set up when calls are built.
    app->current_workspace.clear();
    app->rail_workspace.clear();
    app->current_channel.clear();
    app->open_thread.reset();
    app->update_focus(); // typing goes to the main composer from the start
    return app;
}

void register_actions(orvo_ui::app::App& app) { register_chat_actions(app.action_registry_mut()); }

orvo_ui::Size default_window_size() { return {1280, 800}; }

void install_blob_store()
{
    zozi::blobstore::FsBlobStoreConfig config;
    config.root = zozi::blobstore::FsBlobStore::default_root().value_or(std::filesystem::path());
    config.max_blob_bytes = 33'554'432;
    config.max_store_bytes = 268'435'456;
    config.max_blob_count = 8'192;
    config.io_buffer_bytes = 16'384;
    zozi::blobstore::set_store(std::make_shared<zozi::blobstore::FsBlobStore>(std::move(config)));
}

orvo_ui::launch::LaunchDescription launch_description()
{
    orvo_ui::launch::LaunchDescription d;
    d.app_id = APP_ID;
    d.screenshot_scenarios.assign(std::begin(SCENARIO_NAMES), std::end(SCENARIO_NAMES));
    d.make_root_widget = make_root_widget;
    d.take_screenshot = take_screenshot;
    d.register_actions = register_actions;
    d.initial_size = default_window_size;
    d.uses_document = [] { return true; };
    d.open_document = open_document;
    d.borderless = false;
    d.always_on_top = false;
    d.resizable = true;
    d.high_dpi = true;
    return d;
}

} // namespace chat
