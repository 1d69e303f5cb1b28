#include "ClearUrlCache.h"

#include "../app/COrvexClientApp.h"
#include "../platform/Platform.h"

void ClearUrlCache() {
    platform::Current().WebData().ClearAllExceptCookies([] {
        const COrvexClientApp* application = COrvexClientApp::Current();
        const std::string caption = application != nullptr ? application->GetAppName() : std::string();
        platform::Current().Ui().ShowMessageBox(nullptr, "缓存清理完毕", caption, platform::MessageBoxButtons::Ok,
                                                platform::MessageBoxIcon::Exclamation);
    });
}
