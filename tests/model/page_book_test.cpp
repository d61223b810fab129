#include "fake_book.h"

#include <gtest/gtest.h>

namespace {

enum class Op { Next, Previous, New, Delete };

struct BookCase {
    const char* name;
    std::vector<std::u16string> start;
    int current;
    Op op;
    std::vector<std::u16string> pages;
    int expectedCurrent;
    std::string counter;
    std::vector<PageSound> sounds;
    int saves;
    int notices;
};

const BookCase kCases[] = {
    {"next from the first", {u"A", u"B", u"C"}, 1, Op::Next, {u"A", u"B", u"C"}, 2, "2/3", {PageSound::PageTurn}, 0, 0},
    {"next on the last", {u"A", u"B", u"C"}, 3, Op::Next, {u"A", u"B", u"C"}, 3, "3/3", {}, 0, 0},
    {"previous from the last", {u"A", u"B", u"C"}, 3, Op::Previous, {u"A", u"B", u"C"}, 2, "2/3", {PageSound::PageTurn}, 0, 0},
    {"previous on the first", {u"A", u"B", u"C"}, 1, Op::Previous, {u"A", u"B", u"C"}, 1, "1/3", {}, 0, 0},
    {"new inserts after page 1", {u"A", u"B", u"C"}, 1, Op::New, {u"A", u"", u"B", u"C"}, 2, "2/4", {}, 1, 0},
    {"new inserts after page 2", {u"A", u"B", u"C"}, 2, Op::New, {u"A", u"B", u"", u"C"}, 3, "3/4", {}, 1, 0},
    {"new appends after the last", {u"A", u"B", u"C"}, 3, Op::New, {u"A", u"B", u"C", u""}, 4, "4/4", {}, 1, 0},
    {"delete a middle page", {u"A", u"B", u"C"}, 2, Op::Delete, {u"A", u"C"}, 2, "2/2", {PageSound::Delete}, 1, 0},
    {"delete the last page", {u"A", u"B", u"C"}, 3, Op::Delete, {u"A", u"B"}, 2, "2/2", {PageSound::Delete}, 1, 0},
    {"delete the first of two", {u"A", u"B"}, 1, Op::Delete, {u"B"}, 1, "1/1", {PageSound::Delete}, 1, 0},
    {"delete the only page", {u"A"}, 1, Op::Delete, {u"A"}, 1, "1/1", {}, 1, 1},
};

void Apply(PageBook& book, Op op) {
    switch (op) {
    case Op::Next: book.NextPage(); break;
    case Op::Previous: book.PreviousPage(); break;
    case Op::New: book.NewPage(); break;
    case Op::Delete: book.DeletePage(); break;
    }
}

TEST(PageBook, OperationsGiveTheExpectedBook) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeNote note;
        note.Fill(c.start, c.current);
        Apply(note.book, c.op);
        EXPECT_EQ(note.Texts(), c.pages);
        EXPECT_EQ(note.book.CurrentPage(), c.expectedCurrent);
        EXPECT_EQ(note.book.CounterText(), c.counter);
        EXPECT_EQ(note.counter, c.counter);
        EXPECT_EQ(note.sounds, c.sounds);
        EXPECT_EQ(note.saves, c.saves);
        EXPECT_EQ(note.notices, c.notices);
        // Exactly one editor is visible, the current page's, and only the changing ops move the focus.
        EXPECT_EQ(note.VisibleCount(), 1);
        EXPECT_TRUE(static_cast<FakeEditor&>(note.book.Editor(note.book.CurrentPage())).visible);
        bool focuses = c.op == Op::New || c.op == Op::Delete;
        ASSERT_EQ(note.focused.size(), focuses ? 1u : 0u);
        if (focuses) EXPECT_EQ(note.focused[0], &note.book.Editor(note.book.CurrentPage()));
    }
}

TEST(PageBook, FirstNewPageOnTheEmptyBook) {
    FakeNote note;
    EXPECT_EQ(note.book.CounterText(), "0/0");
    note.book.NewPage();
    EXPECT_EQ(note.book.PageCount(), 1);
    EXPECT_EQ(note.book.CurrentPage(), 1);
    EXPECT_EQ(note.counter, "1/1");
    EXPECT_EQ(note.Texts(), std::vector<std::u16string>{u""});
    EXPECT_EQ(note.VisibleCount(), 1);
    ASSERT_EQ(note.focused.size(), 1u);
    EXPECT_EQ(note.saves, 1);
}

TEST(PageBook, InsertMovesTheLastTextIntoTheNewEditor) {
    FakeNote note;
    note.Fill({u"A", u"B", u"C"}, 1);
    note.book.NewPage();
    ASSERT_EQ(note.created.size(), 4u);
    EXPECT_EQ(note.created.back()->text, u"C");
    EXPECT_EQ(&note.book.Editor(4), note.created.back());
}

TEST(PageBook, DeleteOnAnEmptyBookDoesNothing) {
    FakeNote note;
    note.book.DeletePage();
    EXPECT_EQ(note.book.PageCount(), 0);
    EXPECT_EQ(note.notices, 0);
    EXPECT_EQ(note.saves, 0);
}

// While the one-page notice waits, events run: a press on 新建 then adds a page, and the
// delete's ending must act on the book as it stands after the wait.
TEST(PageBook, NoticeWaitMayRunNestedOperations) {
    FakeNote note;
    note.Fill({u"A"}, 1);
    note.onNotice = [&] {
        note.onNotice = nullptr;
        note.book.NewPage();
    };
    note.book.DeletePage();
    EXPECT_EQ(note.Texts(), (std::vector<std::u16string>{u"A", u""}));
    EXPECT_EQ(note.counter, "2/2");
    EXPECT_EQ(note.focused.back(), &note.book.Editor(2));
    EXPECT_EQ(note.VisibleCount(), 1);

    // A second 删除 inside the wait shows the notice again and leaves the page alone.
    FakeNote single;
    single.Fill({u"X"}, 1);
    int depth = 0;
    single.onNotice = [&] {
        if (depth++ == 0) single.book.DeletePage();
    };
    single.book.DeletePage();
    EXPECT_EQ(single.notices, 2);
    EXPECT_EQ(single.Texts(), std::vector<std::u16string>{u"X"});
    EXPECT_EQ(single.saves, 2);
}

TEST(PageBook, RandomSequencesKeepTheInvariants) {
    FakeNote note;
    note.book.NewPage();
    uint32_t seed = 12345;
    for (int step = 0; step < 2000; ++step) {
        seed = seed * 1103515245 + 12345;
        Apply(note.book, static_cast<Op>((seed >> 16) % 4));
        ASSERT_GE(note.book.PageCount(), 1);
        ASSERT_GE(note.book.CurrentPage(), 1);
        ASSERT_LE(note.book.CurrentPage(), note.book.PageCount());
        ASSERT_EQ(note.VisibleCount(), 1);
        ASSERT_EQ(note.counter, note.book.CounterText());
    }
}

TEST(PageBook, RebuildingSavesNothingAndHidesOnlyThePreviousPage) {
    FakeNote note;
    note.book.SetRebuilding(true);
    for (int i = 0; i < 5; ++i) note.book.NewPage();
    note.book.SetRebuilding(false);
    EXPECT_EQ(note.saves, 0);
    EXPECT_EQ(note.VisibleCount(), 1);
    EXPECT_EQ(note.book.CurrentPage(), 5);
    EXPECT_EQ(note.counter, "5/5");
}

} // namespace
