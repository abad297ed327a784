// MemoryCases: the heap that one widget of each class holds, counted by the replaced operator new.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/MyWindow.h"
#include "bench/HeapCounter.h"
#include "bench/ListShape.h"
#include "bench/VunaStage.h"
#include "core/VWidget.h"
#include "widgets/VButton.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VListBox.h"
#include "widgets/VRadioButton.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace {

constexpr int kSamples = 100;

// Builds kSamples widgets of class T under one plain owner on a stage and reports, per widget:
// "bytes", the heap it still holds after construction (the object itself, its fonts, colours,
// strings, child widgets, and its node in the owner's child list); "allocations"; "sizeof";
// and "widgets", the size of its own subtree (a window brings its two title-bar buttons).
template <typename T>
void memoryOf(benchmark::State& state) {
  VunaStage stage;
  auto* owner = new VWidget(stage.screen());
  long long bytes = 0;
  long long allocations = 0;
  for (auto _ : state) {
    std::vector<T*> built;
    built.reserve(kSamples);
    {
      HeapCounter counter;
      for (int i = 0; i < kSamples; ++i) {
        built.push_back(new T(owner));
      }
      bytes = counter.live();
      allocations = counter.allocations();
    }
    state.PauseTiming();
    for (T* w : built) {
      owner->remove(w);
      delete w;
    }
    state.ResumeTiming();
  }
  auto* probe = new T(owner);
  state.counters["widgets"] = static_cast<double>(VunaStage::subtreeCount(probe));
  state.counters["bytes"] = static_cast<double>(bytes) / kSamples;
  state.counters["allocations"] = static_cast<double>(allocations) / kSamples;
  state.counters["sizeof"] = static_cast<double>(sizeof(T));
}

// The heap a list box keeps for kListRowsMany rows "Item 1" to "Item 1000000" given by
// setItems. The rows are built and handed over while the counter runs, so whatever the box does
// not keep of them (the vector it was given, strings it packs elsewhere) is freed again before
// the count is read, and whatever it keeps is counted, however it keeps it. The box is emptied
// before each count, uncounted. Reports, per row: "bytes_per_row", and "text_per_row", the
// average length of the rows' texts without a terminator, which the box's own share is
// measured against (at most 16 bytes a row besides the text).
void memoryList(benchmark::State& state) {
  VunaStage stage;
  auto* list = new VListBox(stage.screen());
  long long bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    list->clear();
    state.ResumeTiming();
    HeapCounter counter;
    list->setItems(bench::listRows(bench::kListRowsMany));
    bytes = counter.live();
  }
  long long text = 0;
  for (int row = 0; row < list->getItemCount(); ++row) {
    text += static_cast<long long>(list->getItem(row).size());
  }
  if (list->getItemCount() != bench::kListRowsMany) {
    state.SkipWithError("the list box does not hold every row it was given");
    return;
  }
  state.counters["widgets"] = static_cast<double>(VunaStage::subtreeCount(list));
  state.counters["bytes_per_row"] = static_cast<double>(bytes) / bench::kListRowsMany;
  state.counters["text_per_row"] = static_cast<double>(text) / bench::kListRowsMany;
}

}  // namespace

BENCHMARK_TEMPLATE(memoryOf, VWidget)->Name("memory_VWidget/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VButton)->Name("memory_VButton/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VCaptionButton)->Name("memory_VCaptionButton/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VCheckBox)->Name("memory_VCheckBox/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VRadioButton)->Name("memory_VRadioButton/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VTextEdit)->Name("memory_VTextEdit/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VToolBar)->Name("memory_VToolBar/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, VWindow)->Name("memory_VWindow/vuna")->Iterations(1);
BENCHMARK_TEMPLATE(memoryOf, MyWindow)->Name("memory_MyWindow/vuna")->Iterations(1);
BENCHMARK(memoryList)->Name("memory_list1000000/vuna")->Iterations(1)
    ->Unit(benchmark::kMillisecond);
