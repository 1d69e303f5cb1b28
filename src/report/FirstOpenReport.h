#pragma once

#include <chrono>
#include <functional>
#include <string>

// Tells a "baidu" platform once per installation that the client has been opened.
void ReportFirstOpen();

// "hh:mm:ss GMT+0800" of the current time in UTC+8.
std::string FormatReportTime();
std::string FormatReportTime(std::chrono::system_clock::time_point now);

// One GET of the address; the answer is ignored. onFinished runs when it has been answered
// or has failed, at the latest after kReportTimeout.
void FetchUrl(const std::string& address, std::function<void()> onFinished);

inline constexpr std::chrono::seconds kReportTimeout{10};
