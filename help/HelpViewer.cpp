#include "help/HelpViewer.h"

#include "help/ChmFile.h"
#include "help/HelpBrowser.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int TopicsRole = Qt::UserRole;
} // namespace

HelpViewer::HelpViewer(std::shared_ptr<ChmFile> file, std::optional<ChmWindowType> type, QWidget *owner)
    : QWidget(owner, Qt::Window), m_file(std::move(file)), m_type(std::move(type)), m_catalog(*m_file)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("HelpViewer"));
    m_browser = new HelpBrowser(m_file, this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildContentsPane(), tr("Contents"));
    m_tabs->addTab(buildIndexPane(), tr("Index"));
    m_tabs->addTab(buildSearchPane(), tr("Search"));
    m_splitter = new QSplitter(this);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 3);
    m_splitter->setSizes({220, 580});
    buildToolBar();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_splitter);
    resize(800, 600);
    applyWindowType();
    setKeyboardOrder();
}

// Tab goes from the pane's tabs through the shown pane into the page.
void HelpViewer::setKeyboardOrder()
{
    QList<QWidget *> order{m_tabs->tabBar(), m_contents, m_indexFilter, m_index, m_searchText};
    for (QPushButton *button : m_results->parentWidget()->findChildren<QPushButton *>())
        order += button; // List Topics
    order += {m_results, m_browser};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    QAction *hide = m_toolBar->addAction(tr("Hide"));
    hide->setCheckable(true);
    connect(hide, &QAction::toggled, this, [this, hide](bool hidden) {
        m_tabs->setVisible(!hidden);
        hide->setText(hidden ? tr("Show") : tr("Hide"));
    });
    connect(m_toolBar->addAction(tr("Back")), &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_toolBar->addAction(tr("Forward")), &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_toolBar->addAction(tr("Home")), &QAction::triggered, this, [this] {
        showTopic(m_type && !m_type->homeTopic.isEmpty() ? m_type->homeTopic : m_file->defaultTopic());
    });
    auto *menu = new QMenu(this);
    QAction *jump = menu->addAction(tr("Jump to URL..."));
    jump->setData(JumpToUrlCommand);
    connect(jump, &QAction::triggered, this, &HelpViewer::jumpToUrl);
    connect(menu->addAction(tr("Close")), &QAction::triggered, this, &QWidget::close);
    m_menu = m_toolBar->addAction(tr("Options"));
    m_menu->setMenu(menu);
    if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(m_menu)))
        button->setPopupMode(QToolButton::InstantPopup);
}

QWidget *HelpViewer::buildContentsPane()
{
    m_contents = new QTreeWidget;
    m_contents->setHeaderHidden(true);
    QList<QTreeWidgetItem *> parents;
    for (const SiteMapEntry &entry : m_file->contents()) {
        while (parents.size() > entry.depth)
            parents.removeLast();
        auto *item =
            parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.name);
        item->setData(0, TopicsRole, entry.topics);
        while (parents.size() < entry.depth)
            parents.append(item); // a deeper list with no entry of its own hangs under the last one
        parents.append(item);
    }
    m_contents->expandAll();
    // A click opens a topic, and so does Enter (activation) on the current one.
    const auto open = [this](QTreeWidgetItem *item) { showFirst(item->data(0, TopicsRole).toStringList()); };
    connect(m_contents, &QTreeWidget::itemClicked, this, open);
    connect(m_contents, &QTreeWidget::itemActivated, this, open);
    if (m_contents->topLevelItemCount() > 0)
        m_contents->setCurrentItem(m_contents->topLevelItem(0)); // the focus has an item to show on
    return m_contents;
}

QWidget *HelpViewer::buildIndexPane()
{
    auto *pane = new QWidget;
    m_indexFilter = new QLineEdit(pane);
    m_indexFilter->setPlaceholderText(tr("Type in the keyword to find"));
    m_index = new QListWidget(pane);
    m_indexEntries = m_file->keywordIndex();
    for (const SiteMapEntry &entry : std::as_const(m_indexEntries)) {
        auto *item = new QListWidgetItem(QString(entry.depth * 4, QLatin1Char(' ')) + entry.name, m_index);
        item->setData(TopicsRole, entry.topics);
        item->setData(TopicsRole + 1, entry.name);
    }
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem *item = m_index->currentItem())
            showFirst(item->data(TopicsRole).toStringList());
    });
    connect(m_index, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showFirst(item->data(TopicsRole).toStringList()); });
    connect(m_index, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showFirst(item->data(TopicsRole).toStringList()); });
    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(m_indexFilter);
    layout->addWidget(m_index);
    return pane;
}

QWidget *HelpViewer::buildSearchPane()
{
    auto *pane = new QWidget;
    m_searchText = new QLineEdit(pane);
    m_searchText->setPlaceholderText(tr("Type in the word(s) to search for"));
    auto *list = new QPushButton(tr("List Topics"), pane);
    m_results = new QListWidget(pane);
    connect(list, &QPushButton::clicked, this, &HelpViewer::runSearch);
    connect(m_searchText, &QLineEdit::returnPressed, this, &HelpViewer::runSearch);
    const auto open = [this](QListWidgetItem *item) { showTopic(item->data(TopicsRole).toString()); };
    connect(m_results, &QListWidget::itemClicked, this, open);
    connect(m_results, &QListWidget::itemActivated, this, open);
    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(m_searchText);
    layout->addWidget(list);
    layout->addWidget(m_results);
    return pane;
}

void HelpViewer::applyWindowType()
{
    const QString caption = m_type && !m_type->caption.isEmpty() ? m_type->caption : m_file->title();
    setWindowTitle(caption);
    if (!m_type)
        return;
    if (!m_type->position.isNull())
        setGeometry(m_type->position);
    m_tabs->setVisible(m_type->properties & ChmWindowType::TriPane);
    m_toolBar->setVisible(!(m_type->properties & ChmWindowType::NoToolBar));
    if (m_type->properties & ChmWindowType::OnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint);
}

bool HelpViewer::showTopic(const QString &inside)
{
    const QString path = inside.section(QLatin1Char('#'), 0, 0);
    const QString fragment = inside.section(QLatin1Char('#'), 1);
    const bool known = m_file->contains(path);
    QUrl url = HelpBrowser::topicUrl(known ? m_file->storedPath(path) : path);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    m_browser->setSource(url);
    return known;
}

bool HelpViewer::showDefaultTopic()
{
    const QString topic =
        m_type && !m_type->defaultTopic.isEmpty() ? m_type->defaultTopic : m_file->defaultTopic();
    return showTopic(topic);
}

QString HelpViewer::currentTopic() const
{
    return m_browser->currentTopic();
}

void HelpViewer::showContents()
{
    m_tabs->setVisible(true);
    m_tabs->setCurrentIndex(0);
}

void HelpViewer::showIndex(const QString &keyword)
{
    m_tabs->setVisible(true);
    m_tabs->setCurrentIndex(1);
    m_indexFilter->setText(keyword);
}

void HelpViewer::showSearch(const HhFtsQuery &query)
{
    m_tabs->setVisible(true);
    m_tabs->setCurrentIndex(2);
    m_searchText->setText(query.pszSearchQuery);
    if (query.fExecute && !query.pszSearchQuery.isEmpty())
        runSearch();
}

void HelpViewer::runSearch()
{
    m_results->clear();
    for (const QString &topic : m_catalog.search(m_searchText->text(), false)) {
        auto *item = new QListWidgetItem(m_catalog.titleOf(topic), m_results);
        item->setData(TopicsRole, topic);
    }
    if (m_results->count() > 0)
        m_results->setCurrentRow(0); // Tab then Enter opens the first topic found
}

void HelpViewer::filterIndex(const QString &text)
{
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem *item = m_index->item(row);
        if (item->data(TopicsRole + 1).toString().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
            m_index->setCurrentItem(item);
            m_index->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpViewer::showFirst(const QStringList &topics)
{
    if (!topics.isEmpty())
        showTopic(topics.first());
}

QStringList HelpViewer::keywordLookup(const QString &keywords)
{
    const QStringList topics = TopicCatalog::keywordTopics(m_indexEntries, keywords);
    showFirst(topics);
    return topics;
}

QStringList HelpViewer::alinkLookup(const QString &names)
{
    const QStringList topics = m_catalog.alinkTopics(names);
    showFirst(topics);
    return topics;
}

QList<QAction *> HelpViewer::menuCommands() const
{
    return m_menu->menu()->actions();
}

bool HelpViewer::removeMenuCommand(int command)
{
    for (QAction *action : menuCommands())
        if (action->data().toInt() == command) {
            m_menu->menu()->removeAction(action);
            delete action;
            return true;
        }
    return false;
}

void HelpViewer::jumpToUrl()
{
    bool ok = false;
    const QString topic =
        QInputDialog::getText(this, tr("Jump to URL"), tr("Topic:"), QLineEdit::Normal, currentTopic(), &ok);
    if (ok && !topic.trimmed().isEmpty())
        showTopic(topic.trimmed());
}
