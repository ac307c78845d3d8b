#include "SearchPanel.h"

#include "FormBuilder.h"
#include "core/search/SearchPanelForm.h"
#include "platform/qt/QtText.h"

#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

SearchPanel::SearchPanel(QFrame* frame, const Twips& twips, LauncherPresenter& list, Services& services,
                         std::size_t& findStart)
    : QObject(frame)
    , presenter_(*this, list, services, findStart)
{
    using namespace search_panel_form;
    const FormControls controls = buildControls(kForm, frame, twips);
    for (int i = 0; i < 3; ++i) {
        engines_[i] = controls.get<QRadioButton>(kEngineOptions[i]);
        connect(engines_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                presenter_.chooseEngine(SearchEngine(i));
        });
    }
    for (int i = 0; i < 6; ++i) {
        categories_[i] = controls.get<QRadioButton>(kCategoryOptions[i]);
        connect(categories_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                presenter_.chooseCategory(SearchCategory(i));
        });
    }
    queryBox_ = controls.get<QLineEdit>(kQuery);
    searchButton_ = controls.get<QPushButton>(kSearch);
    connect(searchButton_, &QPushButton::clicked, this, [this] { presenter_.search(); });
    connect(queryBox_, &QLineEdit::returnPressed, this, [this] { presenter_.search(); });
    queryBox_->installEventFilter(this);
}

QRadioButton* SearchPanel::engineOption(SearchEngine engine) const
{
    return engines_[int(engine)];
}

QRadioButton* SearchPanel::categoryOption(SearchCategory category) const
{
    return categories_[int(category)];
}

std::string SearchPanel::query() const
{
    return toStd(queryBox_->text());
}

bool SearchPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == queryBox_ && event->type() == QEvent::MouseButtonDblClick
        && static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
        presenter_.findInList();
    return QObject::eventFilter(watched, event);
}
