// Full load of an 8191 x 8191 8-bit bitmap: the bitmap run into the picture surface the programs draw into,
// against Qt's own reader into an image.
#include "bitmap/zeichne_bitmap.h"
#include "load_timing.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace quirlwerk;
using bench::cpuNow;
using bench::PerLoad;

constexpr int side = 8191;

// A bottom-up 8-bit file with a grey palette and varied indices, written row by row.
class GeneratedBitmap {
public:
    GeneratedBitmap()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quirlwerk-bench-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
        m_file = m_folder / "big.bmp";
        const std::uint32_t rowBytes = (side + 3) / 4 * 4;
        const std::uint32_t dataOffset = 14 + 40 + 256 * 4;
        std::vector<std::uint8_t> header(dataOffset, 0);
        auto put = [&](std::size_t at, std::uint32_t value) {
            for (int i = 0; i < 4; ++i)
                header[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        };
        header[0] = 'B';
        header[1] = 'M';
        put(2, dataOffset + rowBytes * side);
        put(10, dataOffset);
        put(14, 40);
        put(18, side);
        put(22, side);
        put(26, 1 | 8 << 16);
        put(34, rowBytes * side);
        for (int i = 0; i < 256; ++i)
            put(54 + 4 * i, static_cast<std::uint32_t>(i * 0x010101));
        std::ofstream out(m_file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
        std::vector<std::uint8_t> row(rowBytes, 0);
        std::uint32_t noise = 12345;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                noise = noise * 1103515245u + 12345u;
                row[x] = static_cast<std::uint8_t>((x + y) / 64 + (noise >> 29));
            }
            out.write(reinterpret_cast<const char*>(row.data()), rowBytes);
        }
    }
    ~GeneratedBitmap() { std::filesystem::remove_all(m_folder); }

    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
};

const GeneratedBitmap& bitmapFile()
{
    static const GeneratedBitmap generated;
    return generated;
}

// Messages would mean the picture was not drawn; the measurement checks the picture instead.
class SurfaceSink : public bitmap::PixelSink {
public:
    explicit SurfaceSink(bitmap::PictureSurface& picture) : m_picture(picture) {}
    void show(const common::Message&) override {}
    bitmap::BitmapInputs inputs() override
    {
        const std::string path = bitmapFile().file().string();
        return {Text(path.begin(), path.end()), u"0", u"0", true, true};
    }
    void showInfo(const Text&) override {}
    bitmap::PictureSurface* surface() override { return &m_picture; }

private:
    bitmap::PictureSurface& m_picture;
};

PerLoad core;
PerLoad firstLoad;
PerLoad baseline;

// The load returns whether it produced the whole picture.
template <typename Load>
void measure(benchmark::State& state, PerLoad& perLoad, Load load)
{
    bitmapFile();
    std::int64_t loads = 0;
    PerLoad total;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuNow();
        const bool loaded = load();
        total.cpuSeconds += cpuNow() - cpuStart;
        total.wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++loads;
        if (!loaded)
            state.SkipWithError("picture not loaded");
    }
    perLoad = {total.wallSeconds / double(loads), total.cpuSeconds / double(loads)};
    state.counters["peak_MiB"] = double(bench::statusKiB("VmHWM")) / 1024.0;
    state.counters["cpu_ms"] = perLoad.cpuSeconds * 1000.0;
    state.SetBytesProcessed(loads * std::int64_t(std::filesystem::file_size(bitmapFile().file())));
}

bool loadWithBitmapRun(bitmap::PictureSurface& picture)
{
    bitmap::PictureModel model;
    SurfaceSink sink(picture);
    bitmap::ZeichneBitmap(bitmap::DrawMode::FullLoad, model, sink);
    return picture.width() == side && picture.height() == side && picture.complete();
}

QImage loadWithQt()
{
    QImageReader reader(QString::fromStdString(bitmapFile().file().string()));
    reader.setAllocationLimit(1024);   // MiB; Qt refuses this picture under its default limit
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

bool picturesAgree()
{
    bitmap::PictureSurface picture;
    loadWithBitmapRun(picture);
    const QImage image = loadWithQt();
    for (int y = 0; y < side; ++y)
        if (std::memcmp(picture.drawnRow(y), image.constScanLine(y), side * sizeof(bitmap::Colour)) != 0)
            return false;
    return true;
}

// The window's case: every run after the first draws into the surface of the one before.
void BM_BitmapRunIntoSurface(benchmark::State& state)
{
    bitmap::PictureSurface picture;
    measure(state, core, [&] { return loadWithBitmapRun(picture); });
}

// The command line's case: one run into a new surface, all of its memory fresh from the system.
void BM_BitmapRunIntoNewSurface(benchmark::State& state)
{
    measure(state, firstLoad, [] {
        bitmap::PictureSurface picture;
        return loadWithBitmapRun(picture);
    });
}

void BM_QtImageReaderToRgb32(benchmark::State& state)
{
    measure(state, baseline, [] {
        const QImage image = loadWithQt();
        return image.width() == side && image.height() == side;
    });
}

BENCHMARK(BM_BitmapRunIntoSurface)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BitmapRunIntoNewSurface)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtImageReaderToRgb32)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (core.wallSeconds > 0 && baseline.wallSeconds > 0) {
        std::printf("pictures agree: %s\n", picturesAgree() ? "yes" : "NO");
        std::printf("bitmap run / Qt reader: %.2f wall time, %.2f processor time (goal at most 0.60)\n",
                    core.wallSeconds / baseline.wallSeconds, core.cpuSeconds / baseline.cpuSeconds);
        if (firstLoad.wallSeconds > 0)
            std::printf("bitmap run into a new surface / Qt reader: %.2f wall time, %.2f processor time\n",
                        firstLoad.wallSeconds / baseline.wallSeconds, firstLoad.cpuSeconds / baseline.cpuSeconds);
    }
    benchmark::Shutdown();
    return 0;
}
