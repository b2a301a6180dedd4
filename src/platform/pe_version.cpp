#include "platform/pe_version.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace dorvex::pe {

// The reading follows what GetFileVersionInfoW and VerQueryValueW(L"\\") do with a file, so
// that the service's version answer and the launcher's comparison can never differ on the same
// file: the resource section is the first one whose raw data holds the resource directory and
// must be in the file whole; the tree is searched by id (type 16, name 1), the language by
// preference and then the first entry; the fixed file info is the value after the block's key,
// taken when its length is at least that of VS_FIXEDFILEINFO. Unlike the system functions,
// every read is checked: what lies outside the data is "nothing", never memory.

namespace {

constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kVsVersionInfo = 1;
constexpr uint32_t kFixedFileInfoSize = 52;
// No version block of any program is near this; above it the launcher's backend refuses to
// allocate, and so does this reader, so both give nothing for such a file.
constexpr uint32_t kMaxVersionBlock = 1 << 20;

// Little-endian reads from a byte range; nullopt outside it.
class Bytes {
public:
    explicit Bytes(std::string_view d) : m_d(d) {}
    size_t size() const { return m_d.size(); }
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
    std::string_view Sub(uint64_t off, uint64_t n) const { return m_d.substr(off, n); }

private:
    std::string_view m_d;
};

// A region of `size` bytes of which the first `data.size()` come from the file and the rest
// read as zero (a section's virtual tail, or a version block the file ends inside).
class ZeroTailed {
public:
    ZeroTailed(std::string_view data, uint64_t size) : m_data(data), m_size(size) {}
    std::optional<uint16_t> U16(uint64_t off) const {
        if (off > m_size || m_size - off < 2)
            return std::nullopt;
        return uint16_t(Byte(off) | Byte(off + 1) << 8);
    }
    std::optional<uint32_t> U32(uint64_t off) const {
        auto lo = U16(off), hi = U16(off + 2);
        if (!lo || !hi)
            return std::nullopt;
        return uint32_t(*lo) | uint32_t(*hi) << 16;
    }
    std::optional<uint8_t> U8(uint64_t off) const {
        if (off >= m_size)
            return std::nullopt;
        return Byte(off);
    }

private:
    uint8_t Byte(uint64_t off) const { return off < m_data.size() ? uint8_t(m_data[off]) : 0; }
    std::string_view m_data;
    uint64_t m_size;
};

struct Section {
    uint32_t va, vsize, rawSize, rawPtr, characteristics;
};
constexpr uint32_t kSectionReadable = 0x40000000; // IMAGE_SCN_MEM_READ

struct Image {
    uint32_t resourceRva = 0;
    std::vector<Section> sections;
};

// The first section whose raw data holds `rva`.
const Section* SectionOf(const Image& img, uint32_t rva) {
    for (const Section& s : img.sections) {
        if (rva >= s.va && uint64_t(rva) < uint64_t(s.va) + s.rawSize)
            return &s;
    }
    return nullptr;
}

std::optional<Image> ReadHeaders(const Bytes& file) {
    if (!file.Has(0, 64) || *file.U16(0) != 0x5A4D) // "MZ", a whole DOS header
        return std::nullopt;
    const uint32_t nt = *file.U32(0x3C);
    if (!file.Has(nt, 2) || file.Sub(nt, 2) != "PE")
        return std::nullopt;
    // The NT headers as far as the file holds them, the rest as zero; the file header at least.
    constexpr uint64_t kNtHeadersSize = 264;
    if (!file.Has(nt, 20))
        return std::nullopt;
    const ZeroTailed headers(file.Sub(nt, kNtHeadersSize), kNtHeadersSize);
    const uint16_t nSections = *headers.U16(6);
    const uint16_t optSize = *headers.U16(20);
    uint64_t resourceDir;
    switch (*headers.U16(24)) {
    case 0x10B: // PE32
        resourceDir = 24 + 96 + 2 * 8;
        break;
    case 0x20B: // PE32+
        resourceDir = 24 + 112 + 2 * 8;
        break;
    default:
        return std::nullopt;
    }
    const auto dirCount = headers.U32(resourceDir - 2 * 8 - 4); // NumberOfRvaAndSizes
    if (*dirCount < 3)
        return std::nullopt;
    Image img;
    img.resourceRva = *headers.U32(resourceDir);
    if (*headers.U32(resourceDir + 4) == 0) // no resources
        return std::nullopt;
    const uint32_t sizeOfImage = *headers.U32(24 + 56);
    const uint32_t sizeOfHeaders = *headers.U32(24 + 60);
    const uint64_t table = uint64_t(nt) + 24 + optSize;
    if (!file.Has(table, uint64_t(nSections) * 40))
        return std::nullopt;
    img.sections.reserve(nSections);
    for (uint64_t i = 0; i < nSections; ++i) {
        const uint64_t s = table + i * 40;
        img.sections.push_back({*file.U32(s + 12), *file.U32(s + 8), *file.U32(s + 16),
                                *file.U32(s + 20), *file.U32(s + 36)});
        // The loader maps no section over the headers nor past the image's end; such a file
        // is no image to it.
        const Section& added = img.sections.back();
        if (added.va < sizeOfHeaders || uint64_t(added.va) + added.vsize > sizeOfImage)
            return std::nullopt;
    }
    return img;
}

// Offsets below are relative to the resource directory's root inside the section buffer.
class ResourceTree {
public:
    ResourceTree(ZeroTailed section, uint64_t root) : m_s(section), m_root(root) {}

    // How many entries a directory has, when every one it claims is there; a directory whose
    // counts run past the section is not to be believed at all.
    std::optional<uint32_t> Count(uint32_t dir) const {
        const auto named = U16(uint64_t(dir) + 12), ids = U16(uint64_t(dir) + 14);
        if (!named || !ids)
            return std::nullopt;
        const uint32_t n = uint32_t(*named) + *ids;
        if (n > 0 && !U32(uint64_t(dir) + 16 + uint64_t(n) * 8 - 4))
            return std::nullopt;
        return n;
    }

    // The entry with `id` among a directory's id entries (sorted, so searched by halves): its
    // target, whose directory bit must be as `subdirectory` says.
    std::optional<uint32_t> FindId(uint32_t dir, uint16_t id, bool subdirectory) const {
        if (!Count(dir))
            return std::nullopt;
        int64_t lo = *U16(uint64_t(dir) + 12), hi = lo + *U16(uint64_t(dir) + 14) - 1;
        while (lo <= hi) {
            const int64_t mid = (lo + hi) / 2;
            const uint64_t e = uint64_t(dir) + 16 + uint64_t(mid) * 8;
            const uint16_t entryId = uint16_t(*U32(e));
            if (entryId == id)
                return Target(*U32(e + 4), subdirectory);
            if (entryId > id)
                hi = mid - 1;
            else
                lo = mid + 1;
        }
        return std::nullopt;
    }
    std::optional<uint32_t> First(uint32_t dir) const {
        const auto n = Count(dir);
        if (!n || *n == 0)
            return std::nullopt;
        return Target(*U32(uint64_t(dir) + 16 + 4), false);
    }
    std::optional<uint32_t> U32(uint64_t off) const { return m_s.U32(m_root + off); }
    std::optional<uint16_t> U16(uint64_t off) const { return m_s.U16(m_root + off); }

private:
    static std::optional<uint32_t> Target(uint32_t target, bool subdirectory) {
        if (bool(target & 0x80000000u) != subdirectory)
            return std::nullopt;
        return target & 0x7FFFFFFFu;
    }
    ZeroTailed m_s;
    uint64_t m_root;
};

// VerQueryValueW(L"\\") on a version block: the value follows the key, aligned to 4 bytes.
// A block whose first key byte is a printable ASCII character is read as the old 8-bit layout,
// as Windows does (a byte of 0x80 or more counts as a signed char below the space).
std::optional<std::array<uint16_t, 4>> FixedFileInfo(const ZeroTailed& block) {
    const auto valueLength = block.U16(2);
    const auto firstKeyByte = block.U8(4);
    if (!valueLength || !firstKeyByte)
        return std::nullopt;
    // The key starts after wType in the 16-bit layout, after wValueLength in the old one.
    const bool wide = !(*firstKeyByte >= ' ' && *firstKeyByte < 0x80);
    const uint64_t width = wide ? 2 : 1;
    uint64_t end = wide ? 6 : 4;
    const auto unit = [&](uint64_t at) -> std::optional<uint16_t> {
        if (wide)
            return block.U16(at);
        if (const auto b = block.U8(at))
            return uint16_t(*b);
        return std::nullopt;
    };
    for (;; end += width) {
        const std::optional<uint16_t> c = unit(end);
        if (!c)
            return std::nullopt;
        if (*c == 0)
            break;
    }
    const uint64_t value = (end + width + 3) & ~uint64_t(3);
    if (*valueLength < kFixedFileInfoSize)
        return std::nullopt;
    const auto ms = block.U32(value + 8), ls = block.U32(value + 12);
    if (!ms || !ls)
        return std::nullopt;
    return std::array<uint16_t, 4>{uint16_t(*ms >> 16), uint16_t(*ms & 0xFFFF), uint16_t(*ls >> 16),
                                   uint16_t(*ls & 0xFFFF)};
}

} // namespace

std::optional<std::array<uint16_t, 4>> ReadFileVersion(std::string_view image) {
    const Bytes file(image);
    const auto img = ReadHeaders(file);
    if (!img)
        return std::nullopt;
    const Section* rs = SectionOf(*img, img->resourceRva);
    if (!rs || !(rs->characteristics & kSectionReadable) || !file.Has(rs->rawPtr, rs->rawSize))
        return std::nullopt;
    const ZeroTailed section(file.Sub(rs->rawPtr, rs->rawSize), std::max(rs->rawSize, rs->vsize));
    const ResourceTree tree(section, uint64_t(img->resourceRva) - rs->va);

    const auto names = tree.FindId(0, kRtVersion, true);
    if (!names)
        return std::nullopt;
    const auto languages = tree.FindId(*names, kVsVersionInfo, true);
    if (!languages)
        return std::nullopt;
    // Language neutral, then Korean (the service's customers), then US English, then the first.
    if (!tree.Count(*languages))
        return std::nullopt;
    std::optional<uint32_t> dataEntry;
    for (uint16_t lang : {0x0000, 0x0412, 0x0409}) {
        if ((dataEntry = tree.FindId(*languages, lang, false)))
            break;
    }
    if (!dataEntry && !(dataEntry = tree.First(*languages)))
        return std::nullopt;
    const auto dataRva = tree.U32(*dataEntry), dataSize = tree.U32(uint64_t(*dataEntry) + 4);
    if (!dataRva || !dataSize || *dataSize > kMaxVersionBlock)
        return std::nullopt;
    // The whole block inside its section's data in the file (the system copies all of it from
    // its mapping and faults past the end); its buffer is twice its size and four bytes, zero
    // past the block.
    const Section* ds = SectionOf(*img, *dataRva);
    if (!ds || !(ds->characteristics & kSectionReadable) ||
        uint64_t(*dataRva) - ds->va + *dataSize > ds->rawSize)
        return std::nullopt;
    const uint64_t at = uint64_t(*dataRva) - ds->va + ds->rawPtr;
    if (!file.Has(at, *dataSize))
        return std::nullopt;
    return FixedFileInfo(ZeroTailed(file.Sub(at, *dataSize), uint64_t(*dataSize) * 2 + 4));
}

std::optional<std::array<uint16_t, 4>> ReadFileVersionOfFile(const std::string& path) {
    // stdio rather than iostreams: this file is part of the launcher, which stays small.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
    if (!in)
        return std::nullopt;
    std::string data;
    char buf[65536];
    while (size_t n = std::fread(buf, 1, sizeof buf, in.get())) {
        data.append(buf, n);
        if (data.size() > kMaxProgramFile)
            return std::nullopt;
    }
    if (std::ferror(in.get()))
        return std::nullopt;
    return ReadFileVersion(data);
}

} // namespace dorvex::pe
