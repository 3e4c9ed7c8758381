// Timings of the renderer's costly steps: growing a bolt, loading a capture
// picture measured against a plain memcpy of its pixel bytes, and drawing a
// frame of the scene in Mesa's off-screen renderer.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_loader.h"
#include "bmp_builder.h"
#include "bolt.h"
#include "bolt_random.h"
#include "dib_layout.h"
#include "gl_headers.h"
#include "offscreen_gl.h"
#include "scene.h"

namespace {

struct CaptureSize {
    int32_t width;
    int32_t height;
};

constexpr CaptureSize kCaptureSizes[] = {{1920, 1080}, {3840, 2160}};

// Folder of the capture files, made at start and removed at the end; it also
// holds the scene's two pictures under the names the renderer opens.
std::string g_captureDir;

std::string CapturePath(int64_t width, int64_t height)
{
    return g_captureDir + "/capture" + std::to_string(width) + "x" + std::to_string(height) +
           ".bmp";
}

int64_t PixelBytes(int64_t width, int64_t height)
{
    return static_cast<int64_t>(DibStride(static_cast<int32_t>(width), 24)) * height;
}

// A 24-bit bottom-up file with a file header and pixels that vary in every
// byte.
void WriteCapture(const std::string& path, int32_t width, int32_t height)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bits = PackRows(width, height, 24, [](int32_t x, int32_t row) {
        return static_cast<uint32_t>(x * 0x010307 + row * 0x070103) ^
               static_cast<uint32_t>(x * row);
    });
    WriteBytes(path, BuildBmp(recipe));
}

// The captures to load, and the scene's pictures: a 128 x 128 cloud and a
// 1920 x 1080 desktop.
void WriteCaptures()
{
    for (const CaptureSize& size : kCaptureSizes)
        WriteCapture(CapturePath(size.width, size.height), size.width, size.height);
    WriteCapture(g_captureDir + "/" + kCloudPicturePath, 128, 128);
    WriteCapture(g_captureDir + "/" + kDesktopPicturePath, 1920, 1080);
}

void CaptureSizes(benchmark::internal::Benchmark* bench)
{
    for (const CaptureSize& size : kCaptureSizes)
        bench->Args({size.width, size.height});
}

// Bolt k of a run (k from 1): the k-th growth after the generator starts at 1.
void BM_GrowBolt(benchmark::State& state)
{
    g_boltRandomState = 1;
    for (int64_t k = 1; k < state.range(0); ++k)
        GrowBolt();
    const uint32_t before = g_boltRandomState;
    for (auto _ : state) {
        g_boltRandomState = before;
        GrowBolt();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GrowBolt)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_LoadCapture(benchmark::State& state)
{
    const std::string path = CapturePath(state.range(0), state.range(1));
    for (auto _ : state) {
        RgbImage* image = LoadCaptureImage(path.c_str());
        if (!image) {
            state.SkipWithError("the capture did not load");
            break;
        }
        benchmark::DoNotOptimize(image->pixels);
        std::free(image->pixels);
        std::free(image);
    }
    state.SetBytesProcessed(state.iterations() * PixelBytes(state.range(0), state.range(1)));
}
BENCHMARK(BM_LoadCapture)->Apply(CaptureSizes)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State& state)
{
    const int64_t bytes = PixelBytes(state.range(0), state.range(1));
    // Both filled, so that their pages exist before the timing.
    const std::vector<uint8_t> from(bytes, 0x5A);
    std::vector<uint8_t> to(bytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_Memcpy)->Apply(CaptureSizes)->Unit(benchmark::kMillisecond);

// One frame of the scene at 1024 x 768, drawn to the end. Mesa draws in
// threads of its own: the CPU time is the whole process's.
void BM_RenderFrame(benchmark::State& state)
{
    OffscreenGl gl(1024, 768);
    if (!gl.Ok()) {
        state.SkipWithError("no off-screen OpenGL context");
        return;
    }
    // The renderer opens its pictures by names relative to the current folder.
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(g_captureDir);
    ResizeScene(gl.width(), gl.height());
    const bool started = InitScene() != 0;
    std::filesystem::current_path(home);
    if (!started) {
        state.SkipWithError("the scene did not start");
        return;
    }
    for (auto _ : state) {
        RenderFrame();
        glFinish();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The console report (without colours, as it mostly goes to logs), keeping
// the speeds, in bytes per second, for the ratios printed at the end: each
// benchmark's single run, or the mean of its repetitions.
class SpeedReporter : public benchmark::ConsoleReporter {
public:
    SpeedReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions == 1;
            const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (!run.error_occurred && rate != run.counters.end() && (single || mean))
                speeds_[{run.run_name.function_name, run.run_name.args}] = rate->second.value;
        }
    }

    // 0 when the benchmark did not run.
    double Speed(const std::string& function, const std::string& args) const
    {
        const auto found = speeds_.find({function, args});
        return found == speeds_.end() ? 0 : found->second;
    }

private:
    std::map<std::pair<std::string, std::string>, double> speeds_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::string pattern = (std::filesystem::temp_directory_path() / "raivel-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    g_captureDir = pattern;
    WriteCaptures();

    SpeedReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const CaptureSize& size : kCaptureSizes) {
        const std::string args = std::to_string(size.width) + "/" + std::to_string(size.height);
        const double load = reporter.Speed("BM_LoadCapture", args);
        const double copy = reporter.Speed("BM_Memcpy", args);
        if (load > 0 && copy > 0)
            std::printf("load/memcpy %dx%d: %.3f (%.0f MB/s against %.0f MB/s)\n", size.width,
                        size.height, load / copy, load / 1e6, copy / 1e6);
    }

    benchmark::Shutdown();
    std::filesystem::remove_all(g_captureDir);
    return 0;
}
