#include "platform/http_client.h"

namespace orvane::platform {

std::string HttpTimeoutText(int timeoutMs) {
    if (timeoutMs > 0 && timeoutMs % 1000 == 0)
        return "No answer within " + std::to_string(timeoutMs / 1000) + " s";
    return "No answer within " + std::to_string(timeoutMs) + " ms";
}

std::string HttpStatusText(int status, const std::string& reason) {
    std::string text = "HTTP " + std::to_string(status);
    if (!reason.empty()) text += " " + reason;
    return text;
}

}  // namespace orvane::platform
