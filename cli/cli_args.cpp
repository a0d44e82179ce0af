#include "cli/cli_args.h"

const char kUsageText[] =
    "Usage: quorvane-split [--size KB] --out FOLDER SOURCE...\n"
    "Cuts each SOURCE into pieces of at most KB kilobytes (default 1000) without splitting\n"
    "a line, written as FOLDER + \\name + number + .txt (FOLDER is used exactly as given).\n"
    "\n"
    "  --size KB     piece size in KB, 1 to 2097151\n"
    "  --out FOLDER  output folder text; end it with a separator, as in out/\n"
    "  --help        show this help\n"
    "  --version     show the version\n"
    "\n"
    "Exit status: 0 all split, 1 some sources not split completely, 2 refused or usage error.\n";

namespace {

// Takes the value of --name or --name=value; false when it is missing.
bool take_value(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                std::string* value) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0) {
    *value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= args.size()) return false;
  *value = args[++i];
  return true;
}

CliArgs usage_error(std::string why) {
  CliArgs result;
  result.action = CliArgs::usage_error;
  result.error = std::move(why);
  return result;
}

bool is_option(const std::string& arg, const std::string& name) {
  return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
}

}  // namespace

CliArgs parse_cli_args(const std::vector<std::string>& args) {
  CliArgs result;
  bool only_sources = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_sources || arg.empty() || arg[0] != '-' || arg == "-") {
      result.sources.push_back(arg);
    } else if (arg == "--") {
      only_sources = true;
    } else if (arg == "--help" || arg == "-h") {
      result.action = CliArgs::help;
      return result;
    } else if (arg == "--version") {
      result.action = CliArgs::version;
      return result;
    } else if (is_option(arg, "--size")) {
      if (!take_value(args, i, "--size", &result.size_text)) return usage_error("--size needs a value");
    } else if (is_option(arg, "--out")) {
      if (!take_value(args, i, "--out", &result.output_folder)) return usage_error("--out needs a value");
      result.has_output_folder = true;
    } else {
      return usage_error("unknown option " + arg);
    }
  }
  if (!result.has_output_folder) return usage_error("--out FOLDER is required");
  result.action = CliArgs::split;
  return result;
}
