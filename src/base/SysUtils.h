#pragma once
// The program's one error class and message formatting: every failure is an Exception
// carrying a French message, shown by the top-level handler and nowhere else.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

// printf-style formatting into a std::string (the messages use %s and %d).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
