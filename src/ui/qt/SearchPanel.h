#pragma once

#include "core/search/SearchPresenter.h"

#include <QObject>

class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Twips;

// The search panel: the engine, the category, the query box and "So一下".
// A double-click in the box finds the query in the launcher list.
class SearchPanel final : public QObject, public SearchView {
public:
    SearchPanel(QFrame* frame, const Twips& twips, LauncherPresenter& list, Services& services, std::size_t& findStart);

    SearchPresenter& presenter() { return presenter_; }
    std::string query() const override;

    QLineEdit* queryBox() const { return queryBox_; }
    QPushButton* searchButton() const { return searchButton_; }
    QRadioButton* engineOption(SearchEngine engine) const;
    QRadioButton* categoryOption(SearchCategory category) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* engines_[3] = {};
    QRadioButton* categories_[6] = {};
    QLineEdit* queryBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    SearchPresenter presenter_;
};
