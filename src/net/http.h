// The launcher's two HTTP operations. Each opens its own connection and keeps nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/framework.h"

namespace dorvex {

// Text answers are a few bytes; anything past this is not an answer of the service.
inline constexpr size_t kMaxTextAnswer = 1 << 20;
inline constexpr size_t kReadSize = 4096;

// The body with every CR and LF byte removed and nothing else changed.
std::string ApplyLineRule(std::string_view body);

// The answer text of an opened response, read to its end.
CString ReadAnswerText(HttpResponse& response);

// The answer text. Throws CInternetException when the server cannot be reached, the transfer
// breaks or the answer is larger than kMaxTextAnswer. The HTTP status is not looked at.
CString FetchUrlText(const CString& url);

// TRUE when the whole body is in `localPath`. FALSE when the address cannot be opened or the
// server answers with an error status; the file is then untouched. The body goes to a
// temporary file beside the target first, so a broken transfer (CInternetException) or a
// failed write (CFileException) also leaves the target as it was, and no temporary file.
//
// `check`, when given, sees the first bytes of the body (up to kCheckedHeadSize) once the
// transfer is complete; a body it refuses is discarded as if the address could not be opened.
using BodyCheck = bool (*)(const std::string& head);
inline constexpr size_t kCheckedHeadSize = 4096;
BOOL DownloadUrlToFile(const CString& url, const CString& localPath, BodyCheck check = nullptr);

} // namespace dorvex
