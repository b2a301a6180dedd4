#include "platform/posix/pe_version.h"

#include <fstream>
#include <vector>

namespace dorvex::pe {

namespace {

constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr int kMaxSections = 96;       // the loader's own limit
constexpr size_t kMaxImage = 64 << 20; // no program file of ours comes near

class Reader {
public:
    explicit Reader(std::string_view d) : m_d(d) {}
    bool Has(uint64_t off, uint64_t n) const { return off <= m_d.size() && n <= m_d.size() - off; }
    std::optional<uint16_t> U16(uint64_t off) const {
        if (!Has(off, 2))
            return std::nullopt;
        return uint16_t(uint8_t(m_d[off]) | uint8_t(m_d[off + 1]) << 8);
    }
    std::optional<uint32_t> U32(uint64_t off) const {
        auto lo = U16(off), hi = U16(off + 2);
        if (!lo || !hi)
            return std::nullopt;
        return uint32_t(*lo) | uint32_t(*hi) << 16;
    }

private:
    std::string_view m_d;
};

struct Section {
    uint32_t va, vsize, rawSize, rawPtr;
};

} // namespace

std::optional<std::array<uint16_t, 4>> ReadFileVersion(std::string_view image) {
    const Reader r(image);
    if (!r.Has(0, 0x40) || image[0] != 'M' || image[1] != 'Z')
        return std::nullopt;
    const auto lfanew = r.U32(0x3C);
    if (!lfanew || !r.Has(*lfanew, 24) || image.substr(*lfanew, 4) != std::string_view("PE\0\0", 4))
        return std::nullopt;
    const uint64_t coff = uint64_t(*lfanew) + 4;
    const auto nSections = r.U16(coff + 2);
    const auto optSize = r.U16(coff + 16);
    if (!nSections || !optSize || *nSections > kMaxSections)
        return std::nullopt;
    const uint64_t opt = coff + 20;
    const auto magic = r.U16(opt);
    if (!magic)
        return std::nullopt;
    uint64_t dirs;
    if (*magic == 0x10B)
        dirs = opt + 96;
    else if (*magic == 0x20B)
        dirs = opt + 112;
    else
        return std::nullopt;
    const auto nDirs = r.U32(dirs - 4);
    if (!nDirs || *nDirs < 3 || dirs + 3 * 8 > opt + *optSize)
        return std::nullopt;
    const auto resRva = r.U32(dirs + 2 * 8);
    if (!resRva || *resRva == 0)
        return std::nullopt;

    std::vector<Section> sections;
    const uint64_t table = opt + *optSize;
    for (uint64_t i = 0; i < *nSections; ++i) {
        const uint64_t s = table + i * 40;
        auto vsize = r.U32(s + 8), va = r.U32(s + 12), raw = r.U32(s + 16), ptr = r.U32(s + 20);
        if (!vsize || !va || !raw || !ptr)
            return std::nullopt;
        sections.push_back({*va, *vsize, *raw, *ptr});
    }
    // File offset of `n` bytes at an RVA, all inside one section's data.
    auto offsetOf = [&](uint64_t rva, uint64_t n) -> std::optional<uint64_t> {
        for (const Section& s : sections) {
            const uint64_t size = std::max(s.vsize, s.rawSize);
            if (rva >= s.va && rva - s.va < size) {
                const uint64_t inSection = rva - s.va;
                if (inSection > s.rawSize || n > s.rawSize - inSection)
                    return std::nullopt;
                const uint64_t off = uint64_t(s.rawPtr) + inSection;
                if (!r.Has(off, n))
                    return std::nullopt;
                return off;
            }
        }
        return std::nullopt;
    };
    if (!offsetOf(*resRva, 16))
        return std::nullopt;

    // A resource directory: the first entry with `id` (or the first entry at all when id is 0),
    // returning its offset field. Entry offsets are relative to the resource section's start.
    auto findEntry = [&](uint64_t dirRel, std::optional<uint32_t> id) -> std::optional<uint32_t> {
        const auto dir = offsetOf(uint64_t(*resRva) + dirRel, 16);
        if (!dir)
            return std::nullopt;
        const auto named = r.U16(*dir + 12), ids = r.U16(*dir + 14);
        if (!named || !ids)
            return std::nullopt;
        const uint32_t count = uint32_t(*named) + *ids;
        for (uint32_t i = 0; i < count; ++i) {
            const auto e = offsetOf(uint64_t(*resRva) + dirRel + 16 + uint64_t(i) * 8, 8);
            if (!e)
                return std::nullopt;
            const uint32_t name = *r.U32(*e), target = *r.U32(*e + 4);
            if (!id || (!(name & 0x80000000u) && name == *id))
                return target;
        }
        return std::nullopt;
    };
    const auto typeEntry = findEntry(0, kRtVersion);
    if (!typeEntry || !(*typeEntry & 0x80000000u))
        return std::nullopt;
    const auto nameEntry = findEntry(*typeEntry & 0x7FFFFFFFu, std::nullopt);
    if (!nameEntry || !(*nameEntry & 0x80000000u))
        return std::nullopt;
    const auto langEntry = findEntry(*nameEntry & 0x7FFFFFFFu, std::nullopt);
    if (!langEntry || (*langEntry & 0x80000000u))
        return std::nullopt;
    const auto dataEntry = offsetOf(uint64_t(*resRva) + *langEntry, 16);
    if (!dataEntry)
        return std::nullopt;
    const uint32_t dataRva = *r.U32(*dataEntry), dataSize = *r.U32(*dataEntry + 4);

    // VS_VERSIONINFO: wLength, wValueLength, wType, L"VS_VERSION_INFO", padding, fixed info.
    constexpr uint64_t kKeyBytes = 32;                   // 15 characters and the terminator, UTF-16
    constexpr uint64_t kFixedOffset = 6 + kKeyBytes + 2; // aligned to 4 bytes
    constexpr uint64_t kFixedSize = 52;
    if (dataSize < kFixedOffset + kFixedSize)
        return std::nullopt;
    const auto vi = offsetOf(dataRva, kFixedOffset + kFixedSize);
    if (!vi)
        return std::nullopt;
    const auto wLength = r.U16(*vi), wValueLength = r.U16(*vi + 2);
    if (*wLength < kFixedOffset + kFixedSize || *wValueLength < kFixedSize)
        return std::nullopt;
    static const char16_t kKey[] = u"VS_VERSION_INFO";
    for (int i = 0; i < 16; ++i) {
        if (*r.U16(*vi + 6 + uint64_t(i) * 2) != uint16_t(kKey[i]))
            return std::nullopt;
    }
    const uint64_t fixed = *vi + kFixedOffset;
    if (*r.U32(fixed) != kFixedFileInfoSignature)
        return std::nullopt;
    const uint32_t ms = *r.U32(fixed + 8), ls = *r.U32(fixed + 12);
    return std::array<uint16_t, 4>{uint16_t(ms >> 16), uint16_t(ms & 0xFFFF), uint16_t(ls >> 16),
                                   uint16_t(ls & 0xFFFF)};
}

std::optional<std::array<uint16_t, 4>> ReadFileVersionOfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string data;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        data.append(buf, size_t(in.gcount()));
        if (data.size() > kMaxImage)
            return std::nullopt;
    }
    return ReadFileVersion(data);
}

} // namespace dorvex::pe
