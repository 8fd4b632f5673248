// Loading and saving 8191 x 8191 pictures, against Qt.
//
// Warm load: the bitmap run into the surface the window draws into again at every setting, against Qt's reader.
// First load: BMP, GIF and PNG files loaded once each in a fresh process, as the command line does, against
// Qt's reader decoding to 32-bit.
// PNG out: `bitmap FILE --png` (a first load, then the encoder) against Qt's decode to 32-bit plus
// QImage::save; the file read back by libpng and by Qt must equal the drawn picture pixel for pixel.
//
// Options before the benchmark library's own: --rounds=N (alternating fresh-process runs, default 5),
// --only=TEXT (pictures whose name contains it), --no-warm, --no-first-load, --no-png-out.
#include "bench_pictures.h"
#include "bitmap/png_encoder.h"
#include "bitmap/zeichne_bitmap.h"
#include "common/replacing_file.h"
#include "load_timing.h"
#include "temp_folder.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quirlwerk;
using bench::Content;
using bench::cpuNow;
using bench::PerLoad;
using bench::side;

struct Picture {
    const char* name;
    std::function<void(const std::filesystem::path&)> write;
};

const Picture pictures[] = {
    {"bmp_gradient", [](auto& f) { bench::writeBmp(f, Content::Gradient); }},
    {"bmp_flat", [](auto& f) { bench::writeBmp(f, Content::Flat); }},
    {"bmp_dithered", [](auto& f) { bench::writeBmp(f, Content::Dithered); }},
    {"gif_gradient", [](auto& f) { bench::writeGif(f, Content::Gradient); }},
    {"gif_flat", [](auto& f) { bench::writeGif(f, Content::Flat); }},
    {"gif_dithered", [](auto& f) { bench::writeGif(f, Content::Dithered); }},
    // 128 colours and the undrawn rest: an indexed file with a transparent entry.
    {"gif_partly_drawn", [](auto& f) { bench::writeGif(f, Content::Gradient, false, 7, 3000); }},
    {"png_gradient", [](auto& f) { bench::writePng(f, Content::Gradient); }},
    {"png_flat", [](auto& f) { bench::writePng(f, Content::Flat, 4); }},
    {"png_dithered", [](auto& f) { bench::writePng(f, Content::Dithered); }},
};

class Files {
public:
    // Written when first asked for, so that a filtered run writes only what it measures.
    const std::filesystem::path& file(const Picture& picture)
    {
        const std::string name = std::string(picture.name) + "." + std::string(picture.name, 3);
        auto [it, added] = m_files.try_emplace(picture.name, m_folder.path(name));
        if (added)
            picture.write(it->second);
        return it->second;
    }
    std::filesystem::path output(const std::string& name) const { return m_folder.path(name); }

private:
    testing::TempFolder m_folder;
    std::map<std::string, std::filesystem::path> m_files;
};

Files& files()
{
    static Files made;
    return made;
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

bool loadWithRun(const std::filesystem::path& file, bitmap::PictureSurface& picture, bitmap::PictureModel& model)
{
    SurfaceSink sink(file, picture);
    bitmap::ZeichneBitmap(bitmap::DrawMode::FullLoad, model, sink);
    return picture.width() == side && picture.height() == side;
}

bool loadWithRun(const std::filesystem::path& file, bitmap::PictureSurface& picture)
{
    bitmap::PictureModel model;
    return loadWithRun(file, picture, model);
}

// As `bitmap FILE --png` writes it.
bool saveWithRun(const std::filesystem::path& file, const std::filesystem::path& target, bitmap::PictureSurface& picture)
{
    bitmap::PictureModel model;
    if (!loadWithRun(file, picture, model))
        return false;
    bitmap::savePng(picture, target, bitmap::tableOrder(model));
    return true;
}

QImage loadWithQt(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setAllocationLimit(1024);   // MiB; Qt refuses these pictures under its default limit
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Drawn pixels equal; Qt fills what a file leaves undrawn in its own way.
bool agreesWithQt(const bitmap::PictureSurface& picture, const QImage& image)
{
    if (image.width() != side || image.height() != side)
        return false;
    for (int y = 0; y < side; ++y) {
        const bitmap::Colour* row = picture.drawnRow(y);
        if (row && std::memcmp(row, image.constScanLine(y), std::size_t(picture.drawnCount(y)) * sizeof(bitmap::Colour)) != 0)
            return false;
    }
    return true;
}

// Every pixel, undrawn ones as 0 (transparent black).
bool equalsSurface(const bitmap::PictureSurface& picture, const std::vector<bitmap::Colour>& pixels)
{
    const std::vector<bitmap::Colour> empty(side, 0);
    for (int y = 0; y < side; ++y) {
        const bitmap::Colour* row = picture.drawnRow(y) ? picture.drawnRow(y) : empty.data();
        if (std::memcmp(row, pixels.data() + std::size_t(y) * side, side * sizeof(bitmap::Colour)) != 0)
            return false;
    }
    return true;
}

std::vector<bitmap::Colour> readWithLibpng(const std::filesystem::path& file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<bitmap::Colour> pixels;
    if (png_image_begin_read_from_file(&image, file.c_str()) && image.width == side && image.height == side) {
        image.format = PNG_FORMAT_BGRA;   // 0xAARRGGBB in a little-endian word
        pixels.resize(std::size_t(side) * side);
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            pixels.clear();
    }
    png_image_free(&image);
    return pixels;
}

std::vector<bitmap::Colour> readWithQt(const std::filesystem::path& file)
{
    const QImage image = loadWithQt(file);
    std::vector<bitmap::Colour> pixels;
    if (image.width() != side || image.height() != side)
        return pixels;
    pixels.resize(std::size_t(side) * side);
    for (int y = 0; y < side; ++y)
        std::memcpy(pixels.data() + std::size_t(y) * side, image.constScanLine(y), side * sizeof(bitmap::Colour));
    return pixels;
}

// ---- Warm load of one BMP, as Google benchmarks ------------------------------------------------------------

PerLoad warmOurs;
PerLoad warmQt;

template <typename Load>
void measure(benchmark::State& state, PerLoad& perLoad, Load load)
{
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
}

void BM_BitmapRunIntoSurface(benchmark::State& state)
{
    bitmap::PictureSurface picture;
    const std::filesystem::path& file = files().file(pictures[0]);
    measure(state, warmOurs, [&] { return loadWithRun(file, picture) && picture.complete(); });
}

void BM_QtImageReaderToArgb32(benchmark::State& state)
{
    const std::filesystem::path& file = files().file(pictures[0]);
    measure(state, warmQt, [&] { return loadWithQt(file).width() == side; });
}

// ---- First load and PNG out, in fresh processes --------------------------------------------------------------

void ratioLine(const char* name, const bench::Comparison& comparison, const char* goal)
{
    if (comparison.failed) {
        std::printf("%-18s FAILED\n", name);
        return;
    }
    std::printf("%-18s ours %7.0f ms wall %7.0f ms cpu | Qt %7.0f ms wall %7.0f ms cpu | ratio %.2f wall %.2f cpu (goal at most %s)\n",
                name, comparison.ours.wallSeconds * 1000, comparison.ours.cpuSeconds * 1000,
                comparison.theirs.wallSeconds * 1000, comparison.theirs.cpuSeconds * 1000,
                comparison.ours.wallSeconds / comparison.theirs.wallSeconds,
                comparison.ours.cpuSeconds / comparison.theirs.cpuSeconds, goal);
}

// Loads a tiny picture of each kind, so that forked children find Qt's plugins and the libraries' tables
// already loaded, as a long-running process would.
void warmLibraries()
{
    for (const char* format : {"BMP", "GIF", "PNG"}) {
        QImage tiny(2, 2, QImage::Format_Indexed8);
        tiny.setColorTable({0xFF000000u, 0xFFFFFFFFu});
        tiny.fill(1);
        const std::filesystem::path file = files().output(std::string("tiny.") + format);
        tiny.save(QString::fromStdString(file.string()), format);
        loadWithQt(file);
        bitmap::PictureSurface picture;
        bitmap::PictureModel model;
        SurfaceSink sink(file, picture);
        bitmap::ZeichneBitmap(bitmap::DrawMode::FullLoad, model, sink);
    }
}

void firstLoads(int rounds, std::string_view only)
{
    std::printf("\nFirst load in a fresh process, medians of %d alternating runs (bitmap run / Qt reader to 32-bit):\n", rounds);
    for (const Picture& picture : pictures) {
        if (std::string_view(picture.name).find(only) == std::string_view::npos)
            continue;
        const std::filesystem::path& file = files().file(picture);
        const bench::Comparison comparison = bench::alternate(
            rounds,
            [&] {
                bitmap::PictureSurface surface;
                return loadWithRun(file, surface);
            },
            [&] { return loadWithQt(file).width() == side; });
        ratioLine(picture.name, comparison, "0.40");
    }
}

void pngOut(int rounds, std::string_view only)
{
    std::printf("\nPNG out in a fresh process, medians of %d alternating runs (bitmap run + encoder / Qt decode to "
                "32-bit + QImage::save):\n", rounds);
    const std::filesystem::path ours = files().output("ours.png");
    const std::filesystem::path full = files().output("full.png");
    const std::filesystem::path qt = files().output("qt.png");
    for (const Picture& picture : pictures) {
        if (std::string_view(picture.name).find(only) == std::string_view::npos)
            continue;
        const std::filesystem::path& file = files().file(picture);
        const bench::Comparison comparison = bench::alternate(
            rounds,
            [&] {
                bitmap::PictureSurface surface;
                return saveWithRun(file, ours, surface);
            },
            [&] { return loadWithQt(file).save(QString::fromStdString(qt.string()), "PNG"); });
        ratioLine(picture.name, comparison, "0.35");

        // Sizes and exactness, outside the timing.
        bitmap::PictureSurface surface;
        saveWithRun(file, ours, surface);
        {
            common::ReplacingFile out(full);
            bitmap::encodePng(surface, [&out](const std::uint8_t* bytes, std::size_t size) { out.write({bytes, size}); },
                              {}, bitmap::PngPixels::full);
            out.commit();
        }
        const double oursSize = double(std::filesystem::file_size(ours));
        std::printf("%-18s file %.2f MB, 32-bit %.2f MB (ratio %.2f, goal at most 0.50), Qt's %.2f MB; read back "
                    "equal: libpng %s, Qt %s; loads agree with Qt: %s\n",
                    "", oursSize / 1e6, double(std::filesystem::file_size(full)) / 1e6,
                    oursSize / double(std::filesystem::file_size(full)), double(std::filesystem::file_size(qt)) / 1e6,
                    equalsSurface(surface, readWithLibpng(ours)) ? "yes" : "NO",
                    equalsSurface(surface, readWithQt(ours)) ? "yes" : "NO",
                    agreesWithQt(surface, loadWithQt(file)) ? "yes" : "NO");
    }
}

BENCHMARK(BM_BitmapRunIntoSurface)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QtImageReaderToArgb32)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    int rounds = 5;
    std::string only;
    bool warm = true, first = true, out = true;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--rounds="))
            rounds = std::max(1, std::atoi(argv[i] + 9));
        else if (arg.starts_with("--only="))
            only = arg.substr(7);
        else if (arg == "--no-warm")
            warm = false;
        else if (arg == "--no-first-load")
            first = false;
        else if (arg == "--no-png-out")
            out = false;
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (warm) {
        benchmark::RunSpecifiedBenchmarks();
        if (warmOurs.wallSeconds > 0 && warmQt.wallSeconds > 0)
            std::printf("warm bitmap run / Qt reader: %.2f wall time, %.2f processor time (goal at most 0.60)\n",
                        warmOurs.wallSeconds / warmQt.wallSeconds, warmOurs.cpuSeconds / warmQt.cpuSeconds);
    }
    warmLibraries();
    if (first)
        firstLoads(rounds, only);
    if (out)
        pngOut(rounds, only);
    benchmark::Shutdown();
    return 0;
}
