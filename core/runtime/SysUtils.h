// Run-time services of the program: the error type every failure is reported
// with, the locale's decimal separator, and the text <-> number conversions
// that the solver and the key filter rely on.
//
// Nothing here depends on Qt or on the C library's locale: conversion goes
// through std::from_chars / std::to_chars, and the separator is a plain
// variable that the application sets once at start-up (tests set it directly).
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message);
    const char* what() const noexcept override;
    const std::string& Message() const noexcept { return m_message; }

private:
    std::string m_message;
};

// The decimal separator of the user's regional settings, one ASCII character.
// '.' until the application reads the locale.
extern char DecimalSeparator;

// A number text taken apart, as the program reads every number typed: blanks
// around it, an optional sign, digits with at most one separator (at least
// one digit in all), an optional exponent (e or E, optional sign, digits).
// The views point into the scanned text. StrToFloat rounds it to long double,
// the solution window reads it exactly; both scan through here, so that they
// never disagree on what a number is.
struct ScannedNumber {
    bool negative = false;
    std::string_view whole; // the digits before the separator, maybe none
    bool separator = false;
    std::string_view fraction; // the digits after it, maybe none
    // The exponent's value, its magnitude capped at 10^9 (far beyond any
    // range, and safe to add to a digit count).
    long long exponent = 0;
};
std::optional<ScannedNumber> ScanNumber(std::string_view text, char separator);

// Converts a number written with DecimalSeparator: blanks around it, an
// optional sign, digits with at most one separator, an optional exponent
// (e or E, optional sign, digits). A value too small for long double becomes
// zero; anything else that is no finite number raises Exception with a Russian
// message that quotes the (shortened) text.
long double StrToFloat(const std::string& text);
// The same with the separator given: for code that must not depend on which
// copy of DecimalSeparator it sees (the solution window's module has its own).
long double StrToFloat(const std::string& text, char separator);

// The number formats the program uses. ffGeneral writes `precision`
// significant digits, half away from zero, trailing zeros dropped; fixed
// notation while the integer part has at most `precision` digits and the value
// is at least 0.00001, otherwise scientific ("1.235E-06") with at least
// `digits` (0 to 4) exponent digits. A negative zero is written "0".
enum class TFloatFormat { ffGeneral };

// Formats a finite value; raises Exception for infinity or NaN, so that no
// caller can ever show such a text.
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
std::string FloatToStrF(
    long double value, TFloatFormat format, int precision, int digits, char separator);

// A text made safe to quote in a message: control characters replaced, long
// texts cut to `maxChars` characters with "…" appended.
std::string QuoteForMessage(const std::string& text, std::size_t maxChars = 40);
