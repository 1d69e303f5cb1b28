// Paint and hit-test cost of the game window's skinned frame, with the real artwork.
#include <benchmark/benchmark.h>

#include <cairo.h>

#include <memory>

#include "gamewnd/ChtmlbrowserDlg.h"
#include "platform/cairo/CairoPainter.h"
#include "platform/gtk/GtkResources.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindow.h"

extern "C" void varnholt_register_resource(void);

namespace {

// The headless backend with the pictures compiled into the client.
struct BenchmarkBackend {
    BenchmarkBackend() {
        varnholt_register_resource();
        platform::gtk::GtkResources resources;
        for (int id : {161, 162, 163, 165}) {
            AddDecoded(resources, id, platform::ResourceKind::Bitmap);
        }
        AddDecoded(resources, 164, platform::ResourceKind::Png);
        AddDecoded(resources, 7, platform::ResourceKind::SmallIcon);
        platform::SetCurrent(&backend);
    }
    void AddDecoded(platform::gtk::GtkResources& resources, int id, platform::ResourceKind kind) {
        const auto bytes = resources.Find(id, kind);
        if (bytes) {
            if (auto image = resources.Decode(*bytes)) {
                backend.AddResource(id, kind, std::move(*image));
            }
        }
    }
    platform::headless::HeadlessPlatform backend;
};

BenchmarkBackend& Backend() {
    static BenchmarkBackend instance;
    return instance;
}

// A game window at the given size, its title set, the pointer over one caption button.
std::unique_ptr<ChtmlbrowserDlg> GameWindowOfSize(platform::Size size) {
    Backend();
    auto window = std::make_unique<ChtmlbrowserDlg>();
    window->CreateModeless(nullptr);
    auto* headless = dynamic_cast<platform::headless::HeadlessWindow*>(window->GetWindow());
    headless->ResizeTo(size, platform::SizeType::Maximized);
    headless->SetTitle("Varnholt - 风暴要塞 · 守卫城门");
    window->OnNcMouseMove(platform::HitTestCode::Caption, {size.width - 245, 20});
    return window;
}

void DrawFrame(benchmark::State& state) {
    const platform::Size size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    auto window = GameWindowOfSize(size);
    // The window keeps one surface of its size between paints, as the client does.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height);
    for (auto _ : state) {
        platform::cairo::CairoPainter painter(surface);
        window->DrawFrame(painter);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    cairo_surface_destroy(surface);
}
BENCHMARK(DrawFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

void DrawFrameWithNewSurface(benchmark::State& state) {
    const platform::Size size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    auto window = GameWindowOfSize(size);
    for (auto _ : state) {
        platform::cairo::CairoPainter painter(size);
        window->DrawFrame(painter);
        benchmark::DoNotOptimize(painter.Surface());
    }
}
BENCHMARK(DrawFrameWithNewSurface)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

void HitTest(benchmark::State& state) {
    auto window = GameWindowOfSize({1920, 1080});
    const platform::Point points[] = {{1900, 20}, {1675, 20}, {25, 25}, {600, 20}, {1, 500}, {960, 540}};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(window->OnHitTest(points[i++ % std::size(points)]));
    }
}
BENCHMARK(HitTest);

}  // namespace

BENCHMARK_MAIN();
