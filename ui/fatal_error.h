// The fatal error report: a message box captioned "错误", after which the process ends
// with exit code -1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The report's text: the heading, the error code when there is one, then the message.
std::string fatal_error_text(const std::string& message, std::optional<int32_t> code);

[[noreturn]] void report_fatal_error(const std::string& message,
                                     std::optional<int32_t> code = std::nullopt);
