// quorvane-split: the splitter without the window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/console_host.h"
#include "split/split_run.h"

#ifndef QUORVANE_VERSION
#define QUORVANE_VERSION "0"
#endif

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  CliArgs cli = parse_cli_args(args);
  switch (cli.action) {
    case CliArgs::help:
      std::fputs(kUsageText, stdout);
      return 0;
    case CliArgs::version:
      std::fputs("quorvane-split " QUORVANE_VERSION "\n", stdout);
      return 0;
    case CliArgs::usage_error:
      std::fprintf(stderr, "quorvane-split: %s\n%s", cli.error.c_str(), kUsageText);
      return 2;
    case CliArgs::split:
      break;
  }
  ConsoleHost host(std::move(cli.output_folder), std::move(cli.size_text), std::move(cli.sources),
                   stdout);
  switch (run_split(host)) {
    case RunOutcome::completed:
      return 0;
    case RunOutcome::completed_with_faults:
      return 1;
    case RunOutcome::refused:
      break;
  }
  return 2;
}
