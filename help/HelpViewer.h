#pragma once

#include "help/ChmTables.h"
#include "help/HtmlHelpApi.h"
#include "help/SiteMap.h"
#include "help/TopicCatalog.h"

#include <QWidget>
#include <memory>
#include <optional>

class ChmFile;
class HelpBrowser;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QSplitter;

// The help window: contents, index and search panes beside the topic. A window
// type of the file chooses its title, its place and which panes it shows.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    HelpViewer(std::shared_ptr<ChmFile> file, std::optional<ChmWindowType> type, QWidget *owner = nullptr);
    ~HelpViewer() override;

    static constexpr int JumpToUrlCommand = 61439;

    const ChmFile &file() const { return *m_file; }
    std::shared_ptr<ChmFile> sharedFile() const { return m_file; }
    // The name of the window type it shows, empty for none.
    QString windowTypeName() const { return m_type ? m_type->name : QString(); }
    // False (and a page saying so) when the topic is not in the file.
    bool showTopic(const QString &inside);
    bool showDefaultTopic();
    void showContents();
    void showIndex(const QString &keyword = {});
    void showSearch(const HhFtsQuery &query);
    // The topics the lookup found (the first one is shown); empty when none.
    QStringList keywordLookup(const QString &keywords);
    QStringList alinkLookup(const QString &names);
    bool removeMenuCommand(int command);

    QString currentTopic() const;
    HelpBrowser *browser() const { return m_browser; }
    QTabWidget *navigation() const { return m_tabs; }
    QTreeWidget *contentsTree() const { return m_contents; }
    QListWidget *indexList() const { return m_index; }
    QListWidget *searchResults() const { return m_results; }
    QLineEdit *searchField() const { return m_searchText; }
    QToolBar *toolBar() const { return m_toolBar; }
    QList<QAction *> menuCommands() const;

private:
    void buildToolBar();
    QWidget *buildContentsPane();
    QWidget *buildIndexPane();
    QWidget *buildSearchPane();
    void applyWindowType();
    void setKeyboardOrder();
    void runSearch();
    void filterIndex(const QString &text);
    void showFirst(const QStringList &topics);
    void jumpToUrl();

    std::shared_ptr<ChmFile> m_file;
    std::optional<ChmWindowType> m_type;
    TopicCatalog m_catalog;
    QList<SiteMapEntry> m_indexEntries;
    HelpBrowser *m_browser = nullptr;
    QSplitter *m_splitter = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QListWidget *m_index = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    QLineEdit *m_searchText = nullptr;
    QListWidget *m_results = nullptr;
    QToolBar *m_toolBar = nullptr;
    QAction *m_menu = nullptr;
};
