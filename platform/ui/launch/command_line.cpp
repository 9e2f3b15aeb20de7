#include "ui/launch/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace orvo_ui::launch {

namespace {

std::optional<std::uint32_t> parse_dimension(std::string_view text)
{
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value == 0 || value > 16384)
        return std::nullopt;
    return value;
}

// "WxH" with both sides whole numbers from 1 to 16384.
std::optional<std::pair<std::uint32_t, std::uint32_t>> parse_size(std::string_view text)
{
    auto x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    auto w = parse_dimension(text.substr(0, x));
    auto h = parse_dimension(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return std::pair{*w, *h};
}

std::optional<double> parse_scale(std::string_view text)
{
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < 0.25 || value > 8)
        return std::nullopt;
    return value;
}

ExitWith usage_error(std::string const& program, std::string const& message)
{
    return ExitWith{2, program + ": " + message + " (try --help)", true};
}

} // namespace

CommandLine parse_command_line(std::string const& program, std::string const& version, std::vector<std::string> args)
{
    CLI::App cli{"Chat, a workspace chat for the desktop.", program};
    std::string screenshot, scenario, size, theme = "dark", scale;
    bool list = false, show_version = false;
    auto* shot_opt = cli.add_option("--screenshot", screenshot, "Render one frame to this PNG file and exit");
    auto* scenario_opt = cli.add_option("--scenario", scenario, "Screenshot scenario name")->needs(shot_opt);
    auto* size_opt = cli.add_option("--size", size, "Screenshot size as WIDTHxHEIGHT (default 1280x800)")->needs(shot_opt);
    cli.add_option("--theme", theme, "Screenshot theme")->check(CLI::IsMember({"dark", "light"}))->needs(shot_opt);
    auto* scale_opt = cli.add_option("--scale", scale, "Screenshot interface scale, 0.25 to 8")->needs(shot_opt);
    cli.add_flag("--list-scenarios", list, "Print the screenshot scenario names")->excludes(shot_opt);
    cli.add_flag("--version", show_version, "Print the version");

    std::reverse(args.begin(), args.end()); // CLI11 consumes the vector from its back
    try {
        cli.parse(args);
    } catch (CLI::CallForHelp const&) {
        return ExitWith{0, cli.help(), false};
    } catch (CLI::ParseError const& e) {
        return usage_error(program, e.what());
    }

    if (show_version) return ExitWith{0, program + " " + version + "\n", false};
    if (list) return ListScenarios{};
    if (!*shot_opt) return RunWindow{};

    ScreenshotRequest request;
    request.output = screenshot;
    if (*scenario_opt) request.scenario = scenario;
    if (*size_opt) {
        request.size = parse_size(size);
        if (!request.size) return usage_error(program, "--size: expected WIDTHxHEIGHT with each side from 1 to 16384, got '" + size + "'");
    }
    if (*scale_opt) {
        auto value = parse_scale(scale);
        if (!value) return usage_error(program, "--scale: expected a number from 0.25 to 8, got '" + scale + "'");
        request.scale = *value;
    }
    request.theme = theme == "light" ? ThemeKind::Light : ThemeKind::Dark;
    return TakeScreenshot{request};
}

} // namespace orvo_ui::launch
