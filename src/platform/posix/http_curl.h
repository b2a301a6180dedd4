#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace dorvex::posix {

// GET with libcurl: the environment's proxy, redirects followed, `agent` as user agent and no
// other header of ours. Throws CInternetException when no answer arrives at all; a transfer
// that breaks after the headers throws from Read once the bytes before the break are read.
std::unique_ptr<HttpResponse> CurlOpenUrl(const std::string& url, const std::string& agent);

} // namespace dorvex::posix
