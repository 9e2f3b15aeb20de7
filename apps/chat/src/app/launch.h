#pragma once

// The application's description for the framework's launch entry, and its hooks.

#include "ui/launch/launch_description.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace chat {

inline constexpr char const* APP_ID = "dev.orvo.chat";
inline constexpr char const* DOCUMENT_FILE = "workspace.automerge";

// ORVO_CHAT_DATA when set (even empty), else <XDG data dir>/orvo-chat; absent when neither exists.
std::optional<std::filesystem::path> resolve_data_dir();

orvo_ui::persist::OpenResult open_document(orvo_ui::persist::AppInfo const& app, orvo_ui::persist::Storage const& storage);
std::unique_ptr<orvo_ui::Widget> make_root_widget();
orvo_ui::Size default_window_size();
void register_actions(orvo_ui::app::App& app);

// The blob store the whole process shares, installed before launch.
void install_blob_store();

orvo_ui::launch::LaunchDescription launch_description();

} // namespace chat
