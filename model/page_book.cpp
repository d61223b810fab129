#include "model/page_book.h"

#include "model/text_services.h"

std::string PageBook::CounterText() const { return IntToText(currentPage_) + "/" + IntToText(pageCount_); }

void PageBook::NextPage() {
    if (currentPage_ >= pageCount_) return;
    Editor(currentPage_).Hide();
    ++currentPage_;
    Editor(currentPage_).Show();
    services_.setCounter(CounterText());
    services_.playSound(PageSound::PageTurn);
}

void PageBook::PreviousPage() {
    if (currentPage_ <= 1) return;
    Editor(currentPage_).Hide();
    --currentPage_;
    Editor(currentPage_).Show();
    services_.setCounter(CounterText());
    services_.playSound(PageSound::PageTurn);
}

void PageBook::ShowOnly(int32_t page) {
    if (rebuilding_) {
        // Only the previous last page can be visible during a rebuild.
        if (pageCount_ >= 2) Editor(pageCount_ - 1).Hide();
    } else {
        for (int32_t k = 1; k <= pageCount_; ++k) Editor(k).Hide();
    }
    Editor(page).Show();
}

void PageBook::NewPage() {
    if (currentPage_ < pageCount_) {
        ++pageCount_;
        editors_.push_back(services_.createEditor());
        for (int32_t k = pageCount_; k >= currentPage_ + 2; --k) Editor(k).SetText(Editor(k - 1).Text());
        ++currentPage_;
        ShowOnly(currentPage_);
        Editor(currentPage_).SetText(u"");
    } else {
        ++pageCount_;
        currentPage_ = pageCount_;
        editors_.push_back(services_.createEditor());
        ShowOnly(pageCount_);
        Editor(pageCount_).SetText(u"");
    }
    CommonEnding();
}

void PageBook::DeletePage() {
    if (pageCount_ < 1) return; // nothing to delete before the first page exists
    if (pageCount_ == 1) {
        services_.showOnePageNotice();
        // Pages may have been added or deleted while the notice waited: end on the book as it now stands.
        CommonEnding();
        return;
    }
    if (currentPage_ == pageCount_) {
        PageEditor& removed = Editor(pageCount_);
        removed.SetText(u"");
        --pageCount_;
        --currentPage_;
        services_.playSound(PageSound::Delete);
        removed.Hide();
        Editor(currentPage_).Show();
    } else {
        for (int32_t k = currentPage_; k <= pageCount_ - 1; ++k) Editor(k).SetText(Editor(k + 1).Text());
        Editor(pageCount_).SetText(u"");
        --pageCount_;
        services_.playSound(PageSound::Delete);
        Editor(currentPage_).Show();
        editors_.back()->Hide();
    }
    editors_.resize(static_cast<size_t>(pageCount_));
    CommonEnding();
}

void PageBook::CommonEnding() {
    services_.setCounter(CounterText());
    if (currentPage_ >= 1) Editor(currentPage_).Focus();
    if (!rebuilding_) services_.savePages();
}
