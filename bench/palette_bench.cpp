// Full load of 8191 x 8191 palette pictures (GIF and PNG, several kinds of content) against Qt's own decode.
// A load reads every row, counts the indices, maps them through the colour table and fills every pixel.
#include "palette/palette_reader.h"
#include "palette/png_guard.h"

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
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace quirlwerk;

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

void writeGif(const std::filesystem::path& file, Content content, bool interlaced)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(file.c_str(), false, &error);
    std::array<GifColorType, 256> colours{};
    for (int i = 0; i < 256; ++i)
        colours[std::size_t(i)] = {GifByteType(i), GifByteType(255 - i), GifByteType(i * 37)};
    ColorMapObject* table = GifMakeMapObject(256, colours.data());
    bool ok = gif && EGifPutScreenDesc(gif, side, side, 8, 0, table) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, side, side, interlaced, nullptr) == GIF_OK;
    std::vector<std::uint8_t> row(side);
    const std::pair<int, int> passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [start, step] : interlaced ? std::span(passes) : std::span(passes, 1)) {
        for (int y = interlaced ? start : 0; ok && y < side; y += interlaced ? step : 1) {
            fillRow(content, y, row);
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
};

class Files {
public:
    Files()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quirlwerk-bench-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
    }
    ~Files() { std::filesystem::remove_all(m_folder); }

    // Written when first asked for, so that a filtered run writes only what it measures.
    const std::filesystem::path& file(const Workload& workload)
    {
        auto [it, added] = m_files.try_emplace(workload.name, m_folder / workload.name);
        if (added)
            workload.write(it->second);
        return it->second;
    }

private:
    std::filesystem::path m_folder;
    std::map<std::string, std::filesystem::path> m_files;
};

Files& files()
{
    static Files made;
    return made;
}

long statusKiB(const char* field)
{
    long value = 0;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const std::string pattern = std::string(field) + ": %ld kB";
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, pattern.c_str(), &value) == 1)
                break;
        std::fclose(status);
    }
    return value;
}

// Lets VmHWM measure from here on.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The full load: the colour table into 256 colours, every row counted, mapped and written into the picture.
QImage loadWithReader(const std::filesystem::path& file)
{
    std::array<std::uint8_t, palette::signatureBytes> head{};
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(head.data()), head.size());
    auto reader = palette::openReader(file, *palette::formatOf(head));
    palette::PictureFacts facts;
    if (reader->readHeader(facts) != palette::HeaderEnd::Read)
        return {};
    std::array<std::uint32_t, 256> colours{};
    for (std::size_t i = 0; i < facts.colours.size(); ++i)
        colours[i] = 0xFF000000u | std::uint32_t(facts.colours[i].red) << 16 | std::uint32_t(facts.colours[i].green) << 8 |
                     facts.colours[i].blue;
    QImage image(facts.width, facts.height, QImage::Format_RGB32);
    // Four count arrays, as the bitmap run keeps them, so that runs of one index do not wait on each other.
    std::array<std::array<std::uint32_t, 256>, 4> counts{};
    palette::IndexRow row;
    while (reader->nextRow(row)) {
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(row.y)) + row.x;
        const std::uint8_t* in = row.indices.data();
        const std::size_t n = row.indices.size();
        std::size_t x = 0;
        for (; x + 4 <= n; x += 4) {
            ++counts[0][in[x]];
            ++counts[1][in[x + 1]];
            ++counts[2][in[x + 2]];
            ++counts[3][in[x + 3]];
            out[x] = colours[in[x]];
            out[x + 1] = colours[in[x + 1]];
            out[x + 2] = colours[in[x + 2]];
            out[x + 3] = colours[in[x + 3]];
        }
        for (; x < n; ++x) {
            ++counts[0][in[x]];
            out[x] = colours[in[x]];
        }
    }
    benchmark::DoNotOptimize(counts);
    benchmark::DoNotOptimize(reader->countFrames());
    return image;
}

QImage loadWithQt(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setAllocationLimit(1024);   // MiB; Qt refuses this picture under its default limit
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

struct PerLoad {
    double wallSeconds = 0;
    double cpuSeconds = 0;   // the whole process, in case a decoder spreads its work over threads
};
std::map<std::string, PerLoad> perLoad;

double cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void measure(benchmark::State& state, const Workload& workload, QImage (*load)(const std::filesystem::path&),
             const std::string& key)
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
        QImage image = load(file);
        total.cpuSeconds += cpuNow() - cpuBegin;
        total.wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        peakOverStart = std::max(peakOverStart, statusKiB("VmHWM") - start);
        ++loads;
        if (image.width() != side || image.height() != side)
            state.SkipWithError("picture not loaded");
        benchmark::DoNotOptimize(image.constBits());
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
        benchmark::RegisterBenchmark((std::string("reader/") + workload.name).c_str(), [&workload](benchmark::State& state) {
            measure(state, workload, loadWithReader, std::string("reader/") + workload.name);
        })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
        benchmark::RegisterBenchmark((std::string("qt/") + workload.name).c_str(), [&workload](benchmark::State& state) {
            measure(state, workload, loadWithQt, std::string("qt/") + workload.name);
        })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    }
    benchmark::RunSpecifiedBenchmarks();
    for (const Workload& workload : workloads) {
        const auto ours = perLoad.find(std::string("reader/") + workload.name);
        const auto qt = perLoad.find(std::string("qt/") + workload.name);
        if (ours == perLoad.end() || qt == perLoad.end())
            continue;
        const bool agree = loadWithReader(files().file(workload)) == loadWithQt(files().file(workload));
        std::printf("%-24s reader / Qt: %.2f wall time, %.2f processor time (goal at most 1.00), pictures agree: %s\n",
                    workload.name, ours->second.wallSeconds / qt->second.wallSeconds,
                    ours->second.cpuSeconds / qt->second.cpuSeconds, agree ? "yes" : "NO");
    }
    benchmark::Shutdown();
    return 0;
}
