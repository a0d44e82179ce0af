// Runs a program of the build, capturing its standard output and error and its exit code.
#pragma once

#include <string>
#include <vector>

struct ProgramResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// The folder that holds the running test program.
std::string own_folder();

ProgramResult run_program(const std::string& exe, const std::vector<std::string>& args,
                          const std::string& work_dir);
