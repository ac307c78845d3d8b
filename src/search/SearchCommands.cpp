// The main window's search panel: web searches in the default browser, and
// the find in the launcher list.

#include "core/search/ListFind.h"
#include "core/search/SearchUrl.h"
#include "app/Form2.h"
#include "core/window/TitleText.h"
#include "app/QtText.h"
#include "platform/Platform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

SearchEngine selectedEngine(const SearchPanel& panel)
{
    if (panel.Option9->isChecked())
        return SearchEngine::Google;
    if (panel.Option10->isChecked())
        return SearchEngine::Gougou;
    return SearchEngine::Baidu;
}

SearchCategory selectedCategory(const SearchPanel& panel)
{
    const std::pair<QRadioButton*, SearchCategory> options[] = {
        {panel.Option13, SearchCategory::Questions}, {panel.Option14, SearchCategory::Mp3},
        {panel.Option15, SearchCategory::Pictures},  {panel.Option16, SearchCategory::Video},
        {panel.Option17, SearchCategory::News},
    };
    for (const auto& [option, category] : options) {
        if (option->isChecked())
            return category;
    }
    return SearchCategory::Web;
}

}  // namespace

void Form2::connectSearchPanel()
{
    connect(searchPanel_->Command17, &QPushButton::clicked, this, &Form2::Command17_Click);
    connect(searchPanel_->Text3, &QLineEdit::returnPressed, this, &Form2::Command17_Click);
    searchPanel_->Text3->installEventFilter(this);
}

void Form2::Command17_Click()
{
    const SearchPanel& panel = searchPanel();
    const QString url = toQt(BuildSearchUrl(selectedEngine(panel), selectedCategory(panel), toStd(panel.Text3->text())));
    // A query of blanks alone is searched; only an empty one is refused.
    if (panel.Text3->text().isEmpty()) {
        platform_.messages.inform(this, toQt(applicationTitle()), QStringLiteral("请输入要搜索的内容！"));
        return;
    }
    // A browser that cannot be started goes unreported, as the system's own
    // "open" does.
    platform_.shell.openUrl(url);
}

void Form2::Text3_DblClick()
{
    const std::vector<std::string> entries = toStd(listEntries());
    if (const auto found = findNextEntry(entries, toStd(searchPanel().Text3->text()), memory_.FindStart))
        List1->setCurrentRow(int(*found));
    else
        platform_.messages.inform(this, QStringLiteral("提示"), QStringLiteral("查找完毕!"));
}
