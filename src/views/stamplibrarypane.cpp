#include "stamplibrarypane.h"

#include <QAbstractItemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "maphint.h"
#include "stampthumbnail.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
constexpr int kThumbnailSide = 48;
// Each row's place in the library when the list was last filled, and the
// stamp's name alone (the row shows more).
constexpr int kIndexRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

// Renaming edits the name alone, and the pane keeps it.
class StampNameDelegate : public QStyledItemDelegate {
public:
    explicit StampNameDelegate(CStampLibraryPane* pane) : QStyledItemDelegate(pane), m_pane(pane) {}
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setText(index.data(kNameRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) m_pane->Rename(index.data(kIndexRole).toInt(), line->text());
    }

private:
    CStampLibraryPane* m_pane;
};

QString MissingText(int missing) { return Pellin::tr("이 타일 세트에 없는 타일 %1개").arg(missing); }

// "3 x 2", then the number of variations when more than one, then the key.
QString DetailsText(const Stamp& stamp)
{
    QStringList parts;
    if (!stamp.variations.empty()) {
        const PictureBlock& first = stamp.variations.front().block;
        parts << QStringLiteral("%1 x %2").arg(first.cols).arg(first.rows);
    }
    if (stamp.variations.size() > 1) parts << Pellin::tr("변형 %1개").arg(stamp.variations.size());
    if (stamp.slot > 0) parts << QStringLiteral("Alt+%1").arg(stamp.slot);
    return parts.join(QStringLiteral(", "));
}

// The row of stamp `index`: picture, name and details; greyed with a note
// when the tile set lacks some of its pictures.
void ShowStamp(QListWidgetItem* item, const Stamp& stamp, int index, const CTileList* tiles, const QPalette& palette)
{
    const int missing = tiles ? MissingTiles(stamp, *tiles) : 0;
    const QString name = QString::fromStdString(stamp.name);
    const QString details = DetailsText(stamp);
    item->setData(kIndexRole, index);
    item->setData(kNameRole, name);
    item->setText(name + QLatin1Char('\n') + details);
    const PictureBlock none;
    const PictureBlock& first = stamp.variations.empty() ? none : stamp.variations.front().block;
    item->setIcon(tiles ? QIcon(QPixmap::fromImage(StampThumbnail(first, *tiles, kThumbnailSide, missing > 0)))
                        : QIcon());
    QString spoken = name + QStringLiteral(", ") + details;
    if (missing > 0) {
        item->setToolTip(MissingText(missing));
        item->setForeground(palette.color(QPalette::Disabled, QPalette::Text));
        spoken += QStringLiteral(", ") + MissingText(missing);
    } else {
        item->setToolTip({});
        item->setData(Qt::ForegroundRole, {});
    }
    item->setData(Qt::AccessibleTextRole, spoken);
    item->setData(Qt::AccessibleDescriptionRole, missing > 0 ? MissingText(missing) : QString());
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
}
}  // namespace

CStampLibraryPane::CStampLibraryPane(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(Pellin::tr("스탬프 모음"));
    m_pList = new QListWidget(this);
    m_pList->setAccessibleName(Pellin::tr("스탬프 목록"));
    m_pList->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_pList->setDragDropMode(QAbstractItemView::InternalMove);
    m_pList->setDefaultDropAction(Qt::MoveAction);
    m_pList->setItemDelegate(new StampNameDelegate(this));
    m_pAdd = new QPushButton(Pellin::tr("추가"), this);
    m_pRemove = new QPushButton(Pellin::tr("지우기"), this);
    m_pAddVariation = new QPushButton(Pellin::tr("변형 추가"), this);
    m_pAdd->setAccessibleDescription(Pellin::tr("지금의 브러시를 새 스탬프로 넣습니다"));
    m_pRemove->setAccessibleDescription(Pellin::tr("고른 스탬프를 지웁니다"));
    m_pAddVariation->setAccessibleDescription(Pellin::tr("지금의 브러시를 고른 스탬프의 변형으로 넣습니다"));
    m_pKeys = new QLabel(Pellin::tr("Ctrl+Alt+1~9: 브러시를 그 번호에 넣기\nAlt+1~9: 그 번호의 스탬프 쓰기"), this);
    m_pKeys->setAccessibleDescription(Pellin::tr("스탬프 모음 단축키"));
    m_pKeys->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_pAdd, m_pRemove, m_pAddVariation}) {
        button->setAccessibleName(button->text());
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_pKeys);

    connect(m_pAdd, &QPushButton::clicked, this, [this] { AddBrush(); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(m_pAddVariation, &QPushButton::clicked, this, [this] { AddBrushAsVariation(); });
    connect(m_pList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Pick(item->data(kIndexRole).toInt()); });
    connect(m_pList, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(m_pList->model(), &QAbstractItemModel::rowsMoved, this, [this] { OnRowsMoved(); });
    UpdateButtons();
}

CStampLibraryPane::~CStampLibraryPane() = default;

std::string CStampLibraryPane::Load(const std::string& path)
{
    StampLibraryLoad load = LoadStampLibrary(path);
    m_path = path;
    m_library = std::move(load.library);
    Refresh(-1);
    return load.note;
}

void CStampLibraryPane::SetDocument(CZellDoc* doc)
{
    m_pDoc = doc;
    Refresh(SelectedIndex());
}

void CStampLibraryPane::DocumentUpdated(long hint)
{
    if (hint & (HINT_TILE_IMAGES | HINT_NEW_MAP))
        Refresh(SelectedIndex());
    else
        UpdateButtons();
}

std::optional<Stamp> CStampLibraryPane::StampOfBrush() const
{
    if (!m_pDoc || !m_pDoc->HasBrush()) return std::nullopt;
    Stamp stamp;
    stamp.name = NextStampName(m_library);
    const auto& variations = m_pDoc->PaintBrush().Variations();
    if (variations.empty()) {
        AddVariation(stamp, PictureBlockOf(m_pDoc->Brush(), m_pDoc->Tiles()));
    } else {
        // A brush from a stamp keeps all of that stamp's variations and weights.
        for (const auto& variation : variations)
            stamp.variations.push_back({PictureBlockOf(variation.block, m_pDoc->Tiles()), variation.weight});
    }
    if (stamp.variations.empty() || stamp.variations.front().block.IsEmpty()) return std::nullopt;
    return stamp;
}

bool CStampLibraryPane::AddBrush()
{
    std::optional<Stamp> stamp = StampOfBrush();
    if (!stamp) return false;
    m_library.stamps.push_back(std::move(*stamp));
    Changed(int(m_library.stamps.size()) - 1);
    return true;
}

bool CStampLibraryPane::AddBrushAsVariation()
{
    const int index = SelectedIndex();
    if (index < 0 || !m_pDoc || !m_pDoc->HasBrush()) return false;
    PictureBlock block = PictureBlockOf(m_pDoc->Brush(), m_pDoc->Tiles());
    if (block.IsEmpty()) return false;
    AddVariation(m_library.stamps[std::size_t(index)], std::move(block));
    Changed(index);
    return true;
}

bool CStampLibraryPane::RemoveSelected()
{
    const int index = SelectedIndex();
    if (index < 0) return false;
    m_library.stamps.erase(m_library.stamps.begin() + index);
    Changed(std::min(index, int(m_library.stamps.size()) - 1));
    return true;
}

bool CStampLibraryPane::StoreInSlot(int slot)
{
    std::optional<Stamp> stamp = StampOfBrush();
    if (!stamp || slot < 1 || slot > 9) return false;
    Changed(int(::StoreInSlot(m_library, slot, std::move(*stamp))));
    return true;
}

bool CStampLibraryPane::RecallSlot(int slot)
{
    const Stamp* stamp = StampInSlot(m_library, slot);
    if (!stamp) return false;
    const int index = int(stamp - m_library.stamps.data());
    m_pList->setCurrentRow(index);
    return Pick(index);
}

bool CStampLibraryPane::Pick(int index)
{
    if (!m_pDoc || index < 0 || index >= int(m_library.stamps.size())) return false;
    const Stamp& stamp = m_library.stamps[std::size_t(index)];
    const CTileList& tiles = m_pDoc->Tiles();
    if (MissingTiles(stamp, tiles) > 0) return false;
    std::vector<CPaintBrush::Variation> variations;
    for (const StampVariation& variation : stamp.variations) {
        std::optional<CCellBlock> block = CellBlockOf(variation.block, tiles);
        if (!block) return false;
        variations.push_back({std::move(*block), variation.weight});
    }
    if (variations.empty()) return false;
    // The first variation is the brush until a tool draws the next.
    m_pDoc->SetBrush(variations.front().block, nullptr);
    if (variations.size() > 1) m_pDoc->PaintBrush().SetVariations(std::move(variations));
    return true;
}

bool CStampLibraryPane::Rename(int index, const QString& name)
{
    const std::string text = name.trimmed().toStdString();
    if (index < 0 || index >= int(m_library.stamps.size()) || text.empty()) return false;
    Stamp& stamp = m_library.stamps[std::size_t(index)];
    if (stamp.name == text) return false;
    stamp.name = text;
    // The row being edited stays: only its texts change.
    if (QListWidgetItem* item = m_pList->item(index))
        ShowStamp(item, stamp, index, m_pDoc ? &m_pDoc->Tiles() : nullptr, palette());
    Changed(-2);
    return true;
}

int CStampLibraryPane::SelectedIndex() const
{
    const QListWidgetItem* item = m_pList->currentItem();
    return item && item->isSelected() ? item->data(kIndexRole).toInt() : -1;
}

void CStampLibraryPane::Changed(int select)
{
    if (!m_path.empty() && !SaveStampLibrary(m_path, m_library))
        emit Note(Pellin::tr("스탬프 모음을 저장하지 못했습니다: %1").arg(QString::fromStdString(m_path)));
    // -2: the rows are already as they should be.
    if (select != -2) Refresh(select);
}

void CStampLibraryPane::Refresh(int select)
{
    m_bRefreshing = true;
    m_pList->clear();
    const CTileList* tiles = m_pDoc ? &m_pDoc->Tiles() : nullptr;
    for (std::size_t i = 0; i < m_library.stamps.size(); ++i) {
        auto* item = new QListWidgetItem(m_pList);
        ShowStamp(item, m_library.stamps[i], int(i), tiles, palette());
    }
    if (select >= 0 && select < m_pList->count()) m_pList->setCurrentRow(select);
    m_bRefreshing = false;
    UpdateButtons();
}

void CStampLibraryPane::UpdateButtons()
{
    const bool brush = m_pDoc && m_pDoc->HasBrush();
    const bool selected = SelectedIndex() >= 0;
    m_pAdd->setEnabled(brush);
    m_pRemove->setEnabled(selected);
    m_pAddVariation->setEnabled(brush && selected);
}

void CStampLibraryPane::OnRowsMoved()
{
    if (m_bRefreshing) return;
    // The rows carry the stamps' old places: the library takes the rows' order.
    std::vector<Stamp> stamps;
    for (int row = 0; row < m_pList->count(); ++row) {
        const int index = m_pList->item(row)->data(kIndexRole).toInt();
        if (index < 0 || index >= int(m_library.stamps.size())) return;
        stamps.push_back(m_library.stamps[std::size_t(index)]);
    }
    if (stamps.size() != m_library.stamps.size()) return;
    m_library.stamps = std::move(stamps);
    for (int row = 0; row < m_pList->count(); ++row) m_pList->item(row)->setData(kIndexRole, row);
    Changed(-2);
}
