// The GIF reader's own LZW decoder against giflib's line decoder on many random files, sound and damaged:
// the same rows in the same order, the same last row before a break, the same kind of message.
#include "palette/palette_reader.h"

#include "palette/picture_writer.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

using namespace quirlwerk;
using namespace quirlwerk::palette;
using namespace quirlwerk::palette::testing;

namespace {

struct Rows {
    std::vector<std::pair<std::int32_t, Bytes>> rows;   // frame row, indices
    enum { None, Cut, Defect } damage = None;
    friend bool operator==(const Rows&, const Rows&) = default;
};

struct Memory {
    const Bytes* bytes;
    std::size_t at = 0;
};

// The first frame through DGifGetLine, rows placed as giflib's own readers place them.
Rows referenceRows(const Bytes& bytes)
{
    Memory memory{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&memory, [](GifFileType* file, GifByteType* out, int count) {
        auto* source = static_cast<Memory*>(file->UserData);
        const auto n = std::min<std::size_t>(std::size_t(count), source->bytes->size() - source->at);
        std::memcpy(out, source->bytes->data() + source->at, n);
        source->at += n;
        return int(n);
    }, &error);
    Rows result;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (gif && DGifGetRecordType(gif, &type) == GIF_OK && type == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* block = nullptr;
        for (int ok = DGifGetExtension(gif, &code, &block); ok == GIF_OK && block;)
            ok = DGifGetExtensionNext(gif, &block);
    }
    if (gif && type == IMAGE_DESC_RECORD_TYPE && DGifGetImageHeader(gif) == GIF_OK) {
        const GifImageDesc frame = gif->Image;
        Bytes line(std::size_t(std::max(frame.Width, 0)));
        int y = 0, pass = 0;
        for (int n = 0; n < frame.Height && frame.Width > 0; ++n) {
            if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) {
                const bool cut = gif->Error == D_GIF_ERR_READ_FAILED || gif->Error == D_GIF_ERR_EOF_TOO_SOON;
                result.damage = cut ? Rows::Cut : Rows::Defect;
                break;
            }
            result.rows.emplace_back(y, line);
            if (!frame.Interlace) {
                ++y;
                continue;
            }
            constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (y += step[pass]; y >= frame.Height && pass < 3;)
                y = start[++pass];
        }
    }
    DGifCloseFile(gif, &error);
    return result;
}

// The file in memory only: hundreds of them would otherwise wait on a busy disk.
Rows readerRows(const Bytes& bytes)
{
    Rows result;
    const int fd = memfd_create("gif-decoder-test", 0);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
        ADD_FAILURE() << "no file in memory";
    auto reader = openReader("/proc/self/fd/" + std::to_string(fd), Format::Gif);
    close(fd);
    PictureFacts facts;
    if (reader->readHeader(facts) != HeaderEnd::Read)
        return result;
    IndexRow row;
    int top = -1;
    while (reader->nextRow(row)) {
        // The tests' frames fit the screen, so a row's place tells its frame row.
        if (top < 0)
            top = row.y;
        result.rows.emplace_back(row.y - top, Bytes(row.indices.begin(), row.indices.end()));
    }
    if (const auto& why = reader->damage())
        result.damage = why->find(u"vorzeitig") != Text::npos ? Rows::Cut : Rows::Defect;
    return result;
}

void randomRows(std::mt19937& random, int width, int height, int colours, int content, Indices& rows)
{
    rows.assign(std::size_t(height), Bytes(std::size_t(width)));
    std::uniform_int_distribution<int> any(0, colours - 1);
    const int area = 1 + int(random() % 40);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int index = 0;
            switch (content) {
            case 0:   // flat areas
                index = ((x / area) * 3 + (y / area) * 5) % colours;
                break;
            case 1:   // gradient with noise
                index = ((x + y) / 4 + int(random() % 2)) % colours;
                break;
            case 2:   // dithered between two colours
                index = ((x + y) % 2 == 0 || random() % 4 == 0) ? 0 : colours - 1;
                break;
            default:
                index = any(random);
                break;
            }
            rows[std::size_t(y)][std::size_t(x)] = std::uint8_t(index);
        }
}

// Codes packed as GIF packs them, least significant bit first, in sub-blocks of up to 255 bytes.
Bytes subBlocks(const std::vector<std::pair<int, int>>& codes)
{
    Bytes data;
    std::uint32_t buffer = 0;
    int count = 0;
    for (const auto& [code, bits] : codes) {
        buffer |= std::uint32_t(code) << count;
        for (count += bits; count >= 8; count -= 8, buffer >>= 8)
            data.push_back(std::uint8_t(buffer));
    }
    if (count > 0)
        data.push_back(std::uint8_t(buffer));
    Bytes blocks;
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const auto n = std::min<std::size_t>(255, data.size() - at);
        blocks.push_back(std::uint8_t(n));
        blocks.insert(blocks.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
    }
    blocks.push_back(0);
    return blocks;
}

// A one-frame GIF whose data are literal codes only and whose full table is never cleared, as some
// encoders leave it (a deferred clear code).
Bytes literalsWithoutClear(int width, int height, int codeSize, std::mt19937& random)
{
    const int clear = 1 << codeSize;
    std::vector<std::pair<int, int>> codes{{clear, codeSize + 1}};
    int next = clear + 2, bits = codeSize + 1;
    for (int i = 0; i < width * height; ++i) {
        codes.emplace_back(int(random() % std::uint32_t(clear)), bits);
        if (i > 0 && next < 4096 && ++next == (1 << bits) && bits < 12)
            ++bits;
    }
    codes.emplace_back(clear + 1, bits);
    Bytes gif{'G', 'I', 'F', '8', '9', 'a', std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height),
              std::uint8_t(height >> 8), 0x80 | 0x70 | 7, 0, 0};
    for (int i = 0; i < 256; ++i)
        gif.insert(gif.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    gif.insert(gif.end(), {',', 0, 0, 0, 0, std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height),
                           std::uint8_t(height >> 8), 0, std::uint8_t(codeSize)});
    const Bytes data = subBlocks(codes);
    gif.insert(gif.end(), data.begin(), data.end());
    gif.push_back(';');
    return gif;
}

// Where the first frame's data begin: after the descriptor and its table, at the code size byte.
std::size_t dataStart(const Bytes& gif)
{
    std::size_t at = 13 + ((gif[10] & 0x80) ? 3u << ((gif[10] & 7) + 1) : 0);
    while (gif[at] == '!') {
        at += 2;
        while (gif[at] != 0)
            at += gif[at] + 1u;
        ++at;
    }
    const std::uint8_t flags = gif[at + 9];
    return at + 10 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0);
}

TEST(GifDecoder, gives_what_giflibs_line_decoder_gives_on_random_files)
{
    std::mt19937 random(20261206);
    int damaged = 0, cut = 0;
    for (int round = 0; round < 400; ++round) {
        const int width = 1 + int(random() % (round % 5 == 0 ? 700 : 90));
        const int height = 1 + int(random() % 60);
        const int depth = 1 + int(random() % 8);
        const int content = int(random() % 4);
        Bytes whole;
        if (round % 7 == 3) {
            whole = literalsWithoutClear(width, std::max(height, 4096 / width + 2), 2 + int(random() % 7), random);
        } else {
            Indices rows;
            randomRows(random, width, height, 1 << depth, content, rows);
            GifFrame frame{.left = int(random() % 3), .top = int(random() % 3), .rows = rows,
                           .interlaced = random() % 3 == 0};
            std::vector<Rgb> global = rampTable(1 << depth);
            if (random() % 4 == 0) {
                frame.localTable = rampTable(1 << depth);
                global = rampTable(2);
            }
            whole = gifBytes(width + frame.left + int(random() % 2), height + frame.top, global, {frame});
        }
        std::vector<Bytes> variants{whole};
        const std::size_t start = dataStart(whole);
        // Cut anywhere in the data, or with bytes of the data changed, or with its code size changed.
        Bytes cutFile(whole.begin(), whole.begin() + std::ptrdiff_t(start + random() % (whole.size() - start)));
        variants.push_back(cutFile);
        Bytes changed = whole;
        for (int n = 1 + int(random() % 4); n > 0; --n)
            changed[start + 1 + random() % (whole.size() - start - 1)] = std::uint8_t(random());
        variants.push_back(changed);
        Bytes otherSize = whole;
        otherSize[start] = std::uint8_t(random() % 10);
        variants.push_back(otherSize);
        for (std::size_t v = 0; v < variants.size(); ++v) {
            SCOPED_TRACE("round " + std::to_string(round) + " variant " + std::to_string(v) + ": " +
                         std::to_string(width) + "x" + std::to_string(height) + " depth " + std::to_string(depth));
            const Rows expected = referenceRows(variants[v]);
            const Rows got = readerRows(variants[v]);
            damaged += expected.damage == Rows::Defect;
            cut += expected.damage == Rows::Cut;
            ASSERT_EQ(got.damage, expected.damage);
            ASSERT_EQ(got.rows.size(), expected.rows.size());
            for (std::size_t r = 0; r < got.rows.size(); ++r) {
                ASSERT_EQ(got.rows[r], expected.rows[r]) << "row " << r;
            }
        }
    }
    // The damaged variants reached the decoder's careful path, not only its checks at the start.
    EXPECT_GT(damaged, 50);
    EXPECT_GT(cut, 100);
}

} // namespace
