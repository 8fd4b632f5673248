// Full load of 8191 x 8191 palette pictures (GIF and PNG, several kinds of content) against Qt's own decode.
// A load is the picture run: it reads every row, counts the indices, maps them through the colour table and
// fills every pixel of the picture surface.
#include "bench_pictures.h"
#include "bitmap/zeichne_bitmap.h"
#include "load_timing.h"
#include "temp_folder.h"

#include <benchmark/benchmark.h>

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

using bench::Content;
using bench::side;
using bench::writeGif;
using bench::writePng;

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
