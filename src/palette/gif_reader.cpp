// GIF through giflib: the first frame's rows as they are decompressed, by our own LZW decoder from
// giflib's data blocks.
#include "palette/lzw_decoder.h"
#include "palette/readers.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace quirlwerk::palette {
namespace {

// giflib's reads, remembering the last one: a lone byte read last by DGifGetImageHeader is the frame's
// minimum code size, which giflib keeps to itself.
struct Input {
    std::FILE* file = nullptr;
    int lastCount = 0;
    int lastGot = 0;
    GifByteType lastByte = 0;
};

int readInput(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* input = static_cast<Input*>(gif->UserData);
    const auto got = static_cast<int>(std::fread(buffer, 1, static_cast<std::size_t>(count), input->file));
    input->lastCount = count;
    input->lastGot = got;
    if (got > 0)
        input->lastByte = buffer[got - 1];
    return got;
}

Text describeGifError(int code)
{
    Text detail;
    switch (code) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
        detail = u"sie endet vorzeitig";
        break;
    case D_GIF_ERR_NOT_GIF_FILE:
    case D_GIF_ERR_NO_SCRN_DSCR:
        detail = u"ihr Kopf ist unvollständig oder ungültig";
        break;
    case D_GIF_ERR_WRONG_RECORD:
        detail = u"sie enthält einen unbekannten Block";
        break;
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        detail = u"der Speicher reicht nicht";
        break;
    default:
        detail = u"ihre Bilddaten sind fehlerhaft";
        break;
    }
    return u"Die GIF-Datei ist beschädigt: " + detail + u".";
}

Damage damageOf(int code)
{
    return code == D_GIF_ERR_READ_FAILED || code == D_GIF_ERR_EOF_TOO_SOON ? Damage::Cut : Damage::Defect;
}

// Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
constexpr int passStart[] = {0, 4, 2, 1};
constexpr int passStep[] = {8, 8, 4, 2};

class GifReader : public PaletteReader {
public:
    explicit GifReader(File file) : m_file(std::move(file)) {}
    ~GifReader() override
    {
        if (m_gif) {
            int ignored = 0;
            DGifCloseFile(m_gif, &ignored);
        }
    }

    HeaderEnd readHeader(PictureFacts& facts) override
    {
        int error = 0;
        m_input.file = m_file.get();
        m_gif = DGifOpen(&m_input, readInput, &error);
        if (!m_gif)
            return damaged(error);
        facts.format = Format::Gif;
        facts.width = m_gif->SWidth;
        facts.height = m_gif->SHeight;
        // Extensions before the first frame; its graphic control block names the transparent index.
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(m_gif, &type) == GIF_ERROR)
                return damaged(m_gif->Error);
            if (type == IMAGE_DESC_RECORD_TYPE) {
                const bool refused = DGifGetImageHeader(m_gif) == GIF_ERROR;
                const bool codeSizeRead = m_input.lastCount == 1 && m_input.lastGot == 1;
                m_codeSize = m_input.lastByte;
                // giflib refuses minimum code sizes 9 to 11, which the format allows (codes of 12 bits).
                if (refused && !(codeSizeRead && m_codeSize >= 9 && m_codeSize <= maxCodeSize))
                    return codeSizeRead && m_codeSize > maxCodeSize ? invalidCodeSize() : damaged(m_gif->Error);
                if (m_codeSize < 1)
                    return invalidCodeSize();
                m_hasFrame = true;
                break;
            }
            if (type == TERMINATE_RECORD_TYPE)
                break;
            if (type == EXTENSION_RECORD_TYPE && !readExtension(&facts.transparent))
                return damaged(m_gif->Error);
        }
        const ColorMapObject* table = m_hasFrame && m_gif->Image.ColorMap ? m_gif->Image.ColorMap : m_gif->SColorMap;
        if (!table)
            return HeaderEnd::NoColourTable;
        facts.bitDepth = table->BitsPerPixel;
        facts.interlaced = m_hasFrame && m_gif->Image.Interlace;
        facts.colours.clear();
        for (int i = 0; i < table->ColorCount; ++i)
            facts.colours.push_back({table->Colors[i].Red, table->Colors[i].Green, table->Colors[i].Blue});
        m_screenWidth = facts.width;
        m_screenHeight = facts.height;
        return HeaderEnd::Read;
    }

    bool nextRow(IndexRow& row) override
    {
        if (!m_hasFrame || m_rowsDone)
            return false;
        const GifImageDesc& frame = m_gif->Image;
        if (m_line.empty()) {
            if (std::int64_t(frame.Width) * frame.Height > maxPixels) {
                setDamage(Damage::TooLarge, u"Das erste Bild der GIF-Datei ist zu groß.");
                return finishRows();
            }
            if (frame.Width <= 0 || frame.Height <= 0)
                return finishRows();
            m_line.resize(static_cast<std::size_t>(frame.Width));
            GifByteType* block = nullptr;
            m_firstBlock = DGifGetCodeNext(m_gif, &block) == GIF_ERROR ? -1 : block ? block[0] : 0;
            if (block)
                std::memcpy(m_firstBytes, block + 1, block[0]);
            m_lzw.emplace(m_codeSize, &GifReader::nextBlock, this);
        }
        // Every row is decompressed, also those outside the screen: the data of the next one follows it.
        while (m_decoded < frame.Height) {
            if (!m_lzw->decodeRow(m_line.data(), frame.Width))
                return broken(m_lzw->failure());
            // After the last row the frame's remaining blocks are passed over; a file cut among them still
            // shows that row, which giflib's own line reader loses.
            if (++m_decoded == frame.Height && !skipFrameData())
                broken(LzwDecoder::Failure::None);
            const std::int32_t frameRow = m_frameRow;
            advanceFrameRow(frame);
            const std::int32_t y = frame.Top + frameRow;
            if (y >= m_screenHeight || frame.Left >= m_screenWidth)
                continue;
            row.y = y;
            row.x = frame.Left;
            row.indices = std::span<const std::uint8_t>(m_line.data(),
                                                        static_cast<std::size_t>(std::min(frame.Width, m_screenWidth - frame.Left)));
            return true;
        }
        return finishRows();
    }

    std::int32_t countFrames() override
    {
        if (!m_gif || !m_hasFrame)
            return 0;
        std::int32_t frames = 1;
        // The first frame's data may still be unread: a frame of no pixels, or rows not asked for.
        const bool flushed = m_decoded > 0 && m_decoded == m_gif->Image.Height;
        if (m_broken || (!flushed && !skipFrameData()))
            return frames;
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(m_gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE)
                return frames;
            if (type == IMAGE_DESC_RECORD_TYPE) {
                if (DGifGetImageHeader(m_gif) == GIF_ERROR)
                    return frames;
                ++frames;
                if (!skipFrameData())
                    return frames;
            } else if (type == EXTENSION_RECORD_TYPE && !readExtension(nullptr)) {
                return frames;
            }
        }
    }

private:
    // The rows end here: says why.
    bool broken(LzwDecoder::Failure failure)
    {
        const int error = failure == LzwDecoder::Failure::None ? m_gif->Error : errorOf(failure);
        if (failure == LzwDecoder::Failure::UndefinedCode)
            setDamage(Damage::UndefinedCode, u"Die GIF-Datei ist beschädigt: ihre Bilddaten benutzen einen LZW-Code, der nicht definiert ist.");
        else
            setDamage(damageOf(error), describeGifError(error));
        m_broken = true;
        return finishRows();
    }

    HeaderEnd invalidCodeSize()
    {
        setDamage(Damage::Defect, u"Die GIF-Datei ist beschädigt: die LZW-Codegröße " + decimal(m_codeSize) +
                                      u" ist ungültig (erlaubt sind 1 bis 11).");
        return HeaderEnd::Damaged;
    }

    HeaderEnd damaged(int error)
    {
        setDamage(damageOf(error), describeGifError(error));
        return HeaderEnd::Damaged;
    }

    static int errorOf(LzwDecoder::Failure failure)
    {
        switch (failure) {
        case LzwDecoder::Failure::Cut:
            return D_GIF_ERR_READ_FAILED;
        case LzwDecoder::Failure::EndCodeTooSoon:
            return D_GIF_ERR_EOF_TOO_SOON;
        default:
            return D_GIF_ERR_IMAGE_DEFECT;
        }
    }

    // The decoder's source: the block DGifGetCode read when the rows began, then the ones after it.
    static int nextBlock(void* context, std::uint8_t* bytes)
    {
        auto* self = static_cast<GifReader*>(context);
        if (self->m_firstBlock != unread) {
            const int length = std::exchange(self->m_firstBlock, unread);
            if (length > 0)
                std::memcpy(bytes, self->m_firstBytes, std::size_t(length));
            return length;
        }
        GifByteType* block = nullptr;
        if (DGifGetCodeNext(self->m_gif, &block) == GIF_ERROR)
            return -1;
        if (!block)
            return 0;
        std::memcpy(bytes, block + 1, block[0]);
        return block[0];
    }

    bool finishRows()
    {
        m_rowsDone = true;
        return false;
    }

    void advanceFrameRow(const GifImageDesc& frame)
    {
        if (!frame.Interlace) {
            ++m_frameRow;
            return;
        }
        m_frameRow += passStep[m_pass];
        while (m_frameRow >= frame.Height && m_pass < 3)
            m_frameRow = passStart[++m_pass];
    }

    // Reads an extension's blocks; a graphic control block sets `transparent` where one is given.
    bool readExtension(std::int32_t* transparent)
    {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(m_gif, &code, &block) == GIF_ERROR)
            return false;
        GraphicsControlBlock control{};
        if (transparent && code == GRAPHICS_EXT_FUNC_CODE && block &&
            DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            *transparent = control.TransparentColor;
        while (block)
            if (DGifGetExtensionNext(m_gif, &block) == GIF_ERROR)
                return false;
        return true;
    }

    // Steps over the compressed blocks of the current frame without decompressing them.
    bool skipFrameData()
    {
        int codeSize = 0;
        GifByteType* block = nullptr;
        if (DGifGetCode(m_gif, &codeSize, &block) == GIF_ERROR)
            return false;
        while (block)
            if (DGifGetCodeNext(m_gif, &block) == GIF_ERROR)
                return false;
        return true;
    }

    static constexpr int maxCodeSize = 11;   // its clear code needs the 12 bits codes have at most

    File m_file;
    Input m_input;
    int m_codeSize = 0;
    GifFileType* m_gif = nullptr;
    bool m_hasFrame = false;
    bool m_rowsDone = false;
    bool m_broken = false;
    std::int32_t m_screenWidth = 0;
    std::int32_t m_screenHeight = 0;
    std::vector<std::uint8_t> m_line;
    static constexpr int unread = -2;
    int m_firstBlock = unread;
    std::uint8_t m_firstBytes[255] = {};
    std::optional<LzwDecoder> m_lzw;
    std::int32_t m_decoded = 0;
    std::int32_t m_frameRow = 0;
    int m_pass = 0;
};

} // namespace

std::unique_ptr<PaletteReader> makeGifReader(File file)
{
    return std::make_unique<GifReader>(std::move(file));
}

} // namespace quirlwerk::palette
