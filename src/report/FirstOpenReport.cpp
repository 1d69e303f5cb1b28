#include "FirstOpenReport.h"

#include <cstdio>

#include "../app/AdapterAddress.h"
#include "../app/AppSettings.h"
#include "../app/COrvexClientApp.h"
#include "../platform/Platform.h"

void ReportFirstOpen() {
    AppSettings& settings = AppSettings::Instance();
    if (settings.GetValue("platform") != "baidu") {
        return;
    }
    if (settings.GetValue("firstopen") == "false") {
        return;
    }
    std::string address = settings.GetValue("success");
    if (address.empty()) {
        return;
    }
    const std::string time = FormatReportTime();
    const std::string mac = GetAdapterAddressText();
    address += "&mac=" + mac + "&time=" + time;
    // The launcher does not wait: the mark is written once the request is over, whatever its outcome.
    FetchUrl(address, [] { AppSettings::Instance().AppendValue("firstopen", "false"); });
}

std::string FormatReportTime() { return FormatReportTime(platform::Current().Time().Now()); }

std::string FormatReportTime(std::chrono::system_clock::time_point now) {
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    const long long secondsOfDay = ((sinceEpoch % 86400) + 86400) % 86400;
    const int hour = static_cast<int>((secondsOfDay / 3600 + 8) % 24);
    const int minute = static_cast<int>(secondsOfDay / 60 % 60);
    const int second = static_cast<int>(secondsOfDay % 60);
    char text[32] = {};
    std::snprintf(text, sizeof text, "%02d:%02d:%02d GMT+0800", hour, minute, second);
    return text;
}

void FetchUrl(const std::string& address, std::function<void()> onFinished) {
    const COrvexClientApp* application = COrvexClientApp::Current();
    const std::string userAgent = application != nullptr ? application->GetAppName() : std::string();
    platform::Current().Http().FetchAsync(address, userAgent, kReportTimeout, std::move(onFinished));
}
