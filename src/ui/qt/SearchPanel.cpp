#include "SearchPanel.h"

#include "Placement.h"
#include "platform/qt/QtText.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

SearchPanel::SearchPanel(QFrame* frame, const Twips& twips, LauncherPresenter& list, Services& services,
                         short& findStart)
    : QObject(frame)
    , presenter_(*this, list, services, findStart)
{
    Placer at(frame, twips);
    auto* engineFrame = at.add(new QWidget(frame), "engineFrame", 240, 120, 2445, 255);
    Placer engines = at.inside(engineFrame);
    engines_[0] = engines.option("baiduOption", QStringLiteral("百度"), 120, 0);
    engines_[1] = engines.option("googleOption", QStringLiteral("谷歌"), 840, 0);
    engines_[2] = engines.option("gougouOption", QStringLiteral("狗狗"), 1680, 0);
    auto* engineGroup = new QButtonGroup(engineFrame);
    for (int i = 0; i < 3; ++i) {
        engines_[i]->resize(engines_[i]->width(), engineFrame->height());
        engineGroup->addButton(engines_[i]);
        connect(engines_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                presenter_.chooseEngine(SearchEngine(i));
        });
    }
    engines_[0]->setChecked(true);

    auto* categoryFrame = at.add(new QWidget(frame), "categoryFrame", 240, 360, 2445, 855);
    Placer categories = at.inside(categoryFrame);
    categories_[0] = categories.option("webOption", QStringLiteral("网页"), 120, 120);
    categories_[1] = categories.option("questionsOption", QStringLiteral("知道"), 840, 120);
    categories_[2] = categories.option("mp3Option", QStringLiteral("MP3"), 1680, 120);
    categories_[3] = categories.option("picturesOption", QStringLiteral("图片"), 120, 480);
    categories_[4] = categories.option("videoOption", QStringLiteral("视频"), 840, 480);
    categories_[5] = categories.option("newsOption", QStringLiteral("新闻"), 1680, 480);
    auto* categoryGroup = new QButtonGroup(categoryFrame);
    for (int i = 0; i < 6; ++i) {
        categoryGroup->addButton(categories_[i]);
        connect(categories_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                presenter_.chooseCategory(SearchCategory(i));
        });
    }
    categories_[0]->setChecked(true);

    queryBox_ = at.text("queryBox", 240, 1320, 2445, 420);
    searchButton_ = at.button("searchButton", QStringLiteral("So一下"), 2760, 1320, 1095);
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
