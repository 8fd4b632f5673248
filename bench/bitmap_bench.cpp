// Full load of an 8191 x 8191 8-bit bitmap: the bitmap run into an image against Qt's own reader.
#include "bitmap/zeichne_bitmap.h"
#include "cli/image_sink.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace quirlwerk;

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
class SilentReporter : public common::Reporter {
public:
    void show(const common::Message&) override {}
    bool askYesNo(const common::Message&) override { return false; }
};

long peakKiB()
{
    long peak = 0;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld kB", &peak) == 1)
                break;
        std::fclose(status);
    }
    return peak;
}

struct PerLoad {
    double wallSeconds = 0;
    double cpuSeconds = 0;   // all threads of the process, in case a reader spreads its work
};

PerLoad core;
PerLoad baseline;

double cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Load>
void measure(benchmark::State& state, PerLoad& perLoad, Load load)
{
    bitmapFile();
    std::int64_t loads = 0;
    PerLoad total;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuNow();
        QImage image = load();
        total.cpuSeconds += cpuNow() - cpuStart;
        total.wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++loads;
        if (image.width() != side || image.height() != side)
            state.SkipWithError("picture not loaded");
        benchmark::DoNotOptimize(image.constBits());
    }
    perLoad = {total.wallSeconds / double(loads), total.cpuSeconds / double(loads)};
    state.counters["peak_MiB"] = double(peakKiB()) / 1024.0;
    state.counters["cpu_ms"] = perLoad.cpuSeconds * 1000.0;
    state.SetBytesProcessed(loads * std::int64_t(std::filesystem::file_size(bitmapFile().file())));
}

QImage loadWithBitmapRun()
{
    const std::string path = bitmapFile().file().string();
    bitmap::PictureModel model;
    SilentReporter messages;
    bitmap::BitmapInputs inputs;
    inputs.fileName = Text(path.begin(), path.end());
    cli::ImageSink sink(inputs, messages, true);
    bitmap::ZeichneBitmap(0, model, sink);
    return sink.image();
}

QImage loadWithQt()
{
    QImageReader reader(QString::fromStdString(bitmapFile().file().string()));
    reader.setAllocationLimit(1024);   // MiB; Qt refuses this picture under its default limit
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

void BM_BitmapRunIntoImage(benchmark::State& state)
{
    measure(state, core, loadWithBitmapRun);
}

void BM_QtImageReaderToRgb32(benchmark::State& state)
{
    measure(state, baseline, loadWithQt);
}

BENCHMARK(BM_BitmapRunIntoImage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtImageReaderToRgb32)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // One untimed load first: the first large allocation of a fresh process can cost several times a load.
    loadWithBitmapRun();
    benchmark::RunSpecifiedBenchmarks();
    if (core.wallSeconds > 0 && baseline.wallSeconds > 0) {
        std::printf("pictures agree: %s\n", loadWithBitmapRun() == loadWithQt() ? "yes" : "NO");
        std::printf("bitmap run / Qt reader: %.2f wall time, %.2f processor time (goal at most 0.60)\n",
                    core.wallSeconds / baseline.wallSeconds, core.cpuSeconds / baseline.cpuSeconds);
    }
    benchmark::Shutdown();
    return 0;
}
