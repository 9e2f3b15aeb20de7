#include "ui/launch/command_line.h"
#include "ui/launch/launch_description.h"
#include "ui/launch/window_loop.h"
#include "actions/registry.h"
#include "ui/bound_dispatch/action_history.h"
#include "ui/persist/document_file.h"

#include <fontconfig/fontconfig.h>
#include <spdlog/cfg/helpers.h>
#include <spdlog/spdlog.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifndef CHAT_VERSION
#define CHAT_VERSION "0.0.0"
#endif

namespace orvo_ui::launch {

namespace {

// The framework's application object as hooks see it.
class RunningApp final : public app::App {
public:
    orvo_actions::ActionRegistry& action_registry_mut() override { return m_registry; }
    bound_dispatch::ActionHistory& history() { return m_history; }

private:
    orvo_actions::ActionRegistry m_registry;
    bound_dispatch::ActionHistory m_history;
};

void apply_process_settings(LaunchDescription const& d)
{
    for (auto const& pair : d.env_defaults) {
        auto eq = pair.find('=');
        if (eq == std::string::npos || eq == 0) {
            spdlog::warn("ignoring environment default without a name: '{}'", pair);
            continue;
        }
        setenv(pair.substr(0, eq).c_str(), pair.substr(eq + 1).c_str(), 0);
    }
    std::string levels;
    for (auto const& level : d.log_levels) levels += (levels.empty() ? "" : ",") + level;
    if (char const* env = std::getenv("ORVO_LOG")) levels += (levels.empty() ? "" : ",") + std::string(env);
    if (!levels.empty()) spdlog::cfg::helpers::load_levels(levels);
    for (auto const& dir : d.font_dirs)
        if (!FcConfigAppFontAddDir(nullptr, reinterpret_cast<FcChar8 const*>(dir.c_str())))
            spdlog::warn("cannot add fonts from {}", dir);
}

std::string program_name(int argc, char** argv)
{
    if (argc < 1 || !argv[0]) return "app";
    std::string name = argv[0];
    auto slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

int run_interactive(LaunchDescription& d, std::string const& program)
{
    std::unique_ptr<persist::DocumentFile> file;
    bool wants_document = !d.uses_document || d.uses_document();
    if (wants_document && d.open_document) {
        persist::AppInfo app{d.app_id};
        auto opened = d.open_document(app, persist::default_storage(app));
        if (!opened) {
            std::cerr << program << ": " << opened.error() << "\n";
            return 1;
        }
        file = std::move(opened).value();
    } else {
        file = persist::DocumentFile::in_memory();
    }

    RunningApp app;
    if (d.register_actions) d.register_actions(app);
    auto root = d.make_root_widget();
    Size size = d.initial_size ? d.initial_size() : Size{1024, 768};
    WindowSettings settings{"Chat", d.app_id, size, d.borderless, d.always_on_top, d.resizable, d.high_dpi,
                            d.icon_paths, file->take_notice()};
    int status = run_window(settings, *root, *file, app.history());
    root.reset(); // the widget goes first: it may still hold work for the document
    if (auto compacted = file->compact(); !compacted) {
        std::cerr << program << ": " << compacted.error() << "\n";
        return status ? status : 1;
    }
    return status;
}

int run(LaunchDescription& d, int argc, char** argv)
{
    std::string program = program_name(argc, argv);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    CommandLine command = parse_command_line(program, CHAT_VERSION, std::move(args));

    if (auto* exit = std::get_if<ExitWith>(&command)) {
        (exit->to_stderr ? std::cerr : std::cout) << exit->text << (exit->text.ends_with('\n') ? "" : "\n");
        return exit->status;
    }
    apply_process_settings(d);
    if (std::holds_alternative<ListScenarios>(command)) {
        for (auto const& name : d.screenshot_scenarios) std::cout << name << "\n";
        return 0;
    }
    if (auto* shot = std::get_if<TakeScreenshot>(&command)) {
        if (!d.take_screenshot) {
            std::cerr << program << ": this application takes no screenshots\n";
            return 1;
        }
        auto taken = d.take_screenshot(shot->request);
        if (!taken) {
            std::cerr << program << ": " << taken.error() << "\n";
            return 1;
        }
        return 0;
    }
    return run_interactive(d, program);
}

} // namespace

int run_or_exit(LaunchDescription description, int argc, char** argv)
{
    int status = run(description, argc, argv);
    std::cout.flush();
    std::fflush(nullptr);
    std::exit(status);
    return status;
}

} // namespace orvo_ui::launch
