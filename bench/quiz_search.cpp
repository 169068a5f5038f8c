// Keystroke-to-list time of the 答题器 page on generated stores of 1,000, 10,000 and 100,000
// questions: the page's search (the kept store, matched in memory) against the engine's own
// LIKE scan through the bound query forms on the same open file.
//   bench_quiz_search FOLDER [rows ...]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/quiz/pinyin_initials.h"
#include "kalvix/core/quiz/question_csv.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "quiz_bench_data.h"

namespace {

using quiz_bench::generate;
using quiz_bench::Keystroke;
using quiz_bench::keystrokes;
using quiz_bench::percentile;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of this thread: on a machine shared with other work it shows what the search
// itself costs, apart from the time the thread waited for a core.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_quiz_search FOLDER [rows ...]\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<std::size_t> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::stoul(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};
    std::mt19937 rng(20110303);
    for (std::size_t size : sizes) {
        const std::vector<kalvix::QuestionRow> rows = generate(size, rng);
        const std::string path = folder + "/Conversion-" + std::to_string(size) + ".dat";
        if (auto error = kalvix::writeQuestionStore(rows, path)) {
            std::fprintf(stderr, "%s\n", error->c_str());
            return 1;
        }
        kalvix::PageContext context;
        kalvix::QuizPage page(context, path);
        auto start = Clock::now();
        page.editKeyword("");  // the first search opens and reads the store
        const double load = msSince(start);
        const std::vector<Keystroke> typed = keystrokes(rows, rng);
        std::vector<double> memory, memoryCpu, engine;
        std::size_t listed = 0;
        for (const Keystroke& k : typed) {
            page.chooseCategory(k.category);
            const double cpu = cpuMs();
            start = Clock::now();
            page.editKeyword(k.keyword);
            // The list shows its first screen of rows.
            for (std::size_t r = 0; r < page.resultCount() && r < 20; ++r)
                listed += page.question(r).size() + page.answer(r).size();
            memory.push_back(msSince(start));
            memoryCpu.push_back(cpuMs() - cpu);
        }
        page.takeMessages();
        kalvix::QuestionStore store(path);
        store.refresh();
        // The engine's scan is slow at the largest size: every fourth keystroke is enough
        // for its median.
        const std::size_t step = size >= 100000 ? 4 : 1;
        for (std::size_t i = 0; i < typed.size(); i += step) {
            const Keystroke& k = typed[i];
            std::optional<std::string> category;
            if (k.category != kalvix::QuizPage::kAllCategories)
                category = kalvix::QuizPage::categoryNames()[static_cast<std::size_t>(k.category)];
            start = Clock::now();
            auto found = store.searchByQuery(k.keyword, category);
            engine.push_back(msSince(start));
            if (!found) {
                std::fprintf(stderr, "%s\n", store.error().c_str());
                return 1;
            }
        }
        std::printf(
            "  (%zu rows: first open and read %.1f ms, %zu keystrokes, %zu bytes listed; "
            "cpu time median %.2f ms, p95 %.2f ms)\n",
            size, load, typed.size(), listed, percentile(memoryCpu, 0.5),
            percentile(memoryCpu, 0.95));
        std::printf("%zu rows: median %.2f ms, p95 %.2f ms, sqlite median %.2f ms\n", size,
                    percentile(memory, 0.5), percentile(memory, 0.95), percentile(engine, 0.5));
        std::fflush(stdout);
    }
    return 0;
}
