// Full load of 8191 x 8191 palette pictures (GIF and PNG, several kinds of content) against Qt's own decode.
// A load is the picture run: it reads every row, counts the indices, maps them through the colour table and
// fills every pixel of the picture surface.
#include "bitmap/zeichne_bitmap.h"
#include "load_timing.h"
#include "palette/png_guard.h"
#include "temp_folder.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <png.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quirlwerk;
using bench::cpuNow;
using bench::PerLoad;
using bench::statusKiB;

constexpr int side = 8191;

// What users bring: a scanned or rendered picture (gradients with noise), a drawn one (flat areas, a few
// colours), and a dithered photograph (noise everywhere, which compresses worst).
enum class Content { Gradient, Flat, Dithered };

std::uint8_t pixelAt(Content content, int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 2246822519u;
    h ^= h >> 15;
    switch (content) {
    case Content::Gradient:
        return static_cast<std::uint8_t>((x + y) / 64 + (h >> 29));
    case Content::Flat:
        return static_cast<std::uint8_t>(((x / 700) * 3 + (y / 500) * 7 + ((x - y) / 900 == 2 ? 40 : 0)) % 16);
    case Content::Dithered:
        return static_cast<std::uint8_t>(h & 0xFF);
    }
    return 0;
}

void fillRow(Content content, int y, std::vector<std::uint8_t>& row)
{
    for (int x = 0; x < side; ++x)
        row[std::size_t(x)] = pixelAt(content, x, y);
}

void writePng(const std::filesystem::path& file, Content content, int bitDepth, bool interlaced)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::array<png_color, 256> palette{};
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = {png_byte(i), png_byte(255 - i), png_byte(i * 37)};
    std::vector<std::uint8_t> row(side);
    const int entries = 1 << bitDepth;
    const bool written = palette::guarded(png, [&] {
        png_init_io(png, out);
        png_set_IHDR(png, info, side, side, bitDepth, PNG_COLOR_TYPE_PALETTE,
                     interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, palette.data(), entries);
        png_write_info(png, info);
        if (bitDepth < 8)
            png_set_packing(png);
        const int passes = png_set_interlace_handling(png);
        for (int pass = 0; pass < passes; ++pass) {
            for (int y = 0; y < side; ++y) {
                fillRow(content, y, row);
                for (auto& index : row)
                    index = static_cast<std::uint8_t>(index % entries);
                png_write_row(png, row.data());
            }
        }
        png_write_end(png, nullptr);
    });
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
    if (!written)
        throw std::runtime_error("PNG not written");
}

void writeGif(const std::filesystem::path& file, Content content, bool interlaced, int bitDepth = 8)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(file.c_str(), false, &error);
    std::array<GifColorType, 256> colours{};
    for (int i = 0; i < 256; ++i)
        colours[std::size_t(i)] = {GifByteType(i), GifByteType(255 - i), GifByteType(i * 37)};
    const int entries = 1 << bitDepth;
    ColorMapObject* table = GifMakeMapObject(entries, colours.data());
    bool ok = gif && EGifPutScreenDesc(gif, side, side, 8, 0, table) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, side, side, interlaced, nullptr) == GIF_OK;
    std::vector<std::uint8_t> row(side);
    const std::pair<int, int> passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [start, step] : interlaced ? std::span(passes) : std::span(passes, 1)) {
        for (int y = interlaced ? start : 0; ok && y < side; y += interlaced ? step : 1) {
            fillRow(content, y, row);
            for (auto& index : row)
                index = static_cast<std::uint8_t>(index % entries);
            ok = EGifPutLine(gif, row.data(), side) == GIF_OK;
        }
    }
    GifFreeMapObject(table);
    if (!gif || EGifCloseFile(gif, &error) != GIF_OK || !ok)
        throw std::runtime_error("GIF not written");
}

struct Workload {
    const char* name;
    std::function<void(const std::filesystem::path&)> write;
};

const Workload workloads[] = {
    {"png8_gradient", [](auto& f) { writePng(f, Content::Gradient, 8, false); }},
    {"png8_flat", [](auto& f) { writePng(f, Content::Flat, 8, false); }},
    {"png8_dithered", [](auto& f) { writePng(f, Content::Dithered, 8, false); }},
    {"png4_flat", [](auto& f) { writePng(f, Content::Flat, 4, false); }},
    {"png8_adam7_gradient", [](auto& f) { writePng(f, Content::Gradient, 8, true); }},
    {"gif_gradient", [](auto& f) { writeGif(f, Content::Gradient, false); }},
    {"gif_flat", [](auto& f) { writeGif(f, Content::Flat, false); }},
    {"gif_dithered", [](auto& f) { writeGif(f, Content::Dithered, false); }},
    {"gif_interlaced_gradient", [](auto& f) { writeGif(f, Content::Gradient, true); }},
    {"gif_interlaced_flat", [](auto& f) { writeGif(f, Content::Flat, true); }},
    {"gif4_flat", [](auto& f) { writeGif(f, Content::Flat, false, 4); }},
    {"gif2_dithered", [](auto& f) { writeGif(f, Content::Dithered, false, 2); }},
};

class Files {
public:
    // Written when first asked for, so that a filtered run writes only what it measures.
    const std::filesystem::path& file(const Workload& workload)
    {
        auto [it, added] = m_files.try_emplace(workload.name, m_folder.path(workload.name));
        if (added)
            workload.write(it->second);
        return it->second;
    }

private:
    testing::TempFolder m_folder;
    std::map<std::string, std::filesystem::path> m_files;
};

Files& files()
{
    static Files made;
    return made;
}

// Lets VmHWM measure from here on.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Messages would mean the picture was not drawn; the measurement checks the picture instead.
class SurfaceSink : public bitmap::PixelSink {
public:
    SurfaceSink(const std::filesystem::path& file, bitmap::PictureSurface& picture) : m_file(file.string()), m_picture(picture) {}
    void show(const common::Message&) override {}
    bitmap::BitmapInputs inputs() override { return {Text(m_file.begin(), m_file.end()), u"0", u"0", true, true}; }
    void showInfo(const Text&) override {}
    bitmap::PictureSurface* surface() override { return &m_picture; }

private:
    std::string m_file;
    bitmap::PictureSurface& m_picture;
};

// The full load as the command line runs it: read, count, map and fill every pixel of a new surface.
bool loadWithRun(const std::filesystem::path& file, bitmap::PictureSurface& picture)
{
    bitmap::PictureModel model;
    SurfaceSink sink(file, picture);
    bitmap::ZeichneBitmap(bitmap::DrawMode::FullLoad, model, sink);
    return picture.width() == side && picture.height() == side && picture.complete();
}

QImage loadWithQt(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setAllocationLimit(1024);   // MiB; Qt refuses this picture under its default limit
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

std::map<std::string, PerLoad> perLoad;

bool picturesAgree(const std::filesystem::path& file)
{
    bitmap::PictureSurface picture;
    loadWithRun(file, picture);
    const QImage image = loadWithQt(file);
    for (int y = 0; y < side; ++y)
        if (!picture.drawnRow(y) || std::memcmp(picture.drawnRow(y), image.constScanLine(y), side * sizeof(bitmap::Colour)) != 0)
            return false;
    return true;
}

template <typename Load>
void measure(benchmark::State& state, const Workload& workload, Load load, const std::string& key)
{
    const std::filesystem::path& file = files().file(workload);
    PerLoad total;
    std::int64_t loads = 0;
    long peakOverStart = 0;
    for (auto _ : state) {
        const long start = statusKiB("VmRSS");
        resetPeak();
        const auto begin = std::chrono::steady_clock::now();
        const double cpuBegin = cpuNow();
        const bool loaded = load(file);
        total.cpuSeconds += cpuNow() - cpuBegin;
        total.wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        peakOverStart = std::max(peakOverStart, statusKiB("VmHWM") - start);
        ++loads;
        if (!loaded)
            state.SkipWithError("picture not loaded");
    }
    perLoad[key] = {total.wallSeconds / double(loads), total.cpuSeconds / double(loads)};
    state.counters["cpu_ms"] = perLoad[key].cpuSeconds * 1000.0;
    state.counters["peak_MiB"] = double(peakOverStart) / 1024.0;
    // Picture surface (4 bytes per pixel) + 1 byte per pixel + 16 MiB.
    state.counters["peak_goal_MiB"] = (double(side) * side * 5.0) / (1 << 20) + 16.0;
    state.SetBytesProcessed(loads * std::int64_t(std::filesystem::file_size(file)));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (const Workload& workload : workloads) {
        benchmark::RegisterBenchmark((std::string("run/") + workload.name).c_str(), [&workload](benchmark::State& state) {
            measure(state, workload, [](const std::filesystem::path& file) {
                bitmap::PictureSurface picture;
                return loadWithRun(file, picture);
            }, std::string("run/") + workload.name);
        })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
        benchmark::RegisterBenchmark((std::string("qt/") + workload.name).c_str(), [&workload](benchmark::State& state) {
            measure(state, workload, [](const std::filesystem::path& file) {
                const QImage image = loadWithQt(file);
                return image.width() == side && image.height() == side;
            }, std::string("qt/") + workload.name);
        })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    }
    benchmark::RunSpecifiedBenchmarks();
    for (const Workload& workload : workloads) {
        const auto ours = perLoad.find(std::string("run/") + workload.name);
        const auto qt = perLoad.find(std::string("qt/") + workload.name);
        if (ours == perLoad.end() || qt == perLoad.end())
            continue;
        const bool agree = picturesAgree(files().file(workload));
        std::printf("%-24s run / Qt: %.2f wall time, %.2f processor time (goal at most 1.00), pictures agree: %s\n",
                    workload.name, ours->second.wallSeconds / qt->second.wallSeconds,
                    ours->second.cpuSeconds / qt->second.cpuSeconds, agree ? "yes" : "NO");
    }
    benchmark::Shutdown();
    return 0;
}
