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

namespace {

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

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

// Questions of 8 to 20 characters drawn from common characters, in the nine categories.
std::vector<kalvix::QuestionRow> generate(std::size_t count, std::mt19937& rng) {
    static const std::vector<std::string> pool = characters(
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工"
        "也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小"
        "物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形"
        "相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建"
        "月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长"
        "求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战");
    static const char* const types[] = {"元宵灯谜", "科举填填乐", "子女教导",
                                        "四门绝阵", "帮派迷宫",   "三界书院",
                                        "钓鱼查询", "科举试题",   "NPC查询"};
    std::uniform_int_distribution<std::size_t> length(8, 20), pick(0, pool.size() - 1), type(0, 8);
    std::vector<kalvix::QuestionRow> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string q, a;
        for (std::size_t n = length(rng); n > 0; --n)
            q += pool[pick(rng)];
        for (int n = 0; n < 3; ++n)
            a += pool[pick(rng)];
        rows.push_back({q, a, std::string(types[type(rng)]), kalvix::pinyinInitials(q)});
    }
    return rows;
}

// What a player types: the first one to four characters of a piece of a question, or of
// its pinyin key, one keystroke at a time, half of them within a category.
struct Keystroke {
    std::string keyword;
    int category;
};

std::vector<Keystroke> keystrokes(const std::vector<kalvix::QuestionRow>& rows, std::mt19937& rng) {
    std::vector<Keystroke> out;
    std::uniform_int_distribution<std::size_t> row(0, rows.size() - 1);
    std::uniform_int_distribution<int> category(0, 17);
    for (int word = 0; word < 60; ++word) {
        const kalvix::QuestionRow& r = rows[row(rng)];
        int c = category(rng);
        c = c > 8 ? kalvix::QuizPage::kAllCategories : c;
        const std::vector<std::string> chars = characters(*r.question);
        const std::size_t from =
            std::uniform_int_distribution<std::size_t>(0, chars.size() - 4)(rng);
        std::string typed;
        for (std::size_t k = 0; k < 4; ++k) {
            typed.append(chars[from + k]);
            out.push_back({typed, c});
        }
        const std::string& key = *r.pinyin;
        for (std::size_t k = 1; k <= 4; ++k)
            out.push_back({key.substr(from, k), c});
    }
    return out;
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
