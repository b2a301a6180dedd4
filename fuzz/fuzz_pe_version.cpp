// The PE version reader on any bytes: never a read outside them (the sanitizers watch), and
// the same answer for the same bytes.
#include <cstdint>
#include <cstdlib>

#include "platform/pe_version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view image(reinterpret_cast<const char*>(data), size);
    if (dorvex::pe::ReadFileVersion(image) != dorvex::pe::ReadFileVersion(image))
        abort();
    return 0;
}
