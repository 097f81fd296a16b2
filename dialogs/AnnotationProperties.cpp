// The property appliers of texts, texts with a leader, dimensions, fills,
// hatches and images: each seeds its dialog from the entity and, on OK,
// replaces the entity by one rebuilt from the dialog.

#include "dialogs/EntityProperties.h"

#include "dialogs/ChangeDimDLg.h"
#include "dialogs/ChangeHatDlg.h"
#include "dialogs/ChangeImageDlg.h"
#include "dialogs/ChangeTextDlg.h"
#include "model/Cp932Text.h"
#include "model/DimensionRecord.h"
#include "model/DimensionText.h"
#include "model/Document.h"
#include "model/EditProtocol.h"
#include "model/Settings.h"
#include "model/Utilities.h"
#include "platform/Encoding.h"
#include "view/OrvikCadView.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Longest string a text and a text with a leader keep, in bytes.
constexpr std::size_t TextMaxBytes = 120;
constexpr std::size_t LeaderTextMaxBytes = 80;

double Value(const CEntity& e, int i)
{
    return i >= 0 && i < static_cast<int>(e.values.size()) ? e.values[i] : 0.0;
}

// The string typed, in code page 932, cut to maxBytes on a character
// boundary; with oneLine, carriage returns and line feeds are taken out first.
std::string StoredText(const QString& typed, std::size_t maxBytes, bool oneLine)
{
    std::string text = ToCp932(typed);
    if (oneLine)
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return std::string(Cp932Fit(text, maxBytes));
}

} // namespace

int EditTextProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    const double ox = doc->DrawingOrigin[0];
    const double oy = doc->DrawingOrigin[1];
    CChangeTextDlg dlg(view);
    dlg.text = FromCp932(entity->text);
    dlg.pen = entity->style % 100;
    dlg.colour = entity->colour;
    dlg.height = Value(*entity, 2);
    dlg.width = Value(*entity, 3);
    dlg.angle = Value(*entity, 4);
    dlg.posX = Value(*entity, 0) - ox;
    dlg.posY = Value(*entity, 1) - oy;
    dlg.fontName = entity->font;
    if (dlg.DoModal() != IDOK)
        return 1;
    // The line type stays; only the pen is chosen here.
    const EntityHeader header{EntityType::Text, entity->subtype,
                              static_cast<int16_t>(entity->style / 100 * 100 + dlg.pen), entity->layer, 5};
    const int16_t codes[] = {10, 20, 30, 40, 50};
    const double values[] = {dlg.posX + ox, dlg.posY + oy, dlg.height, dlg.width, dlg.angle};
    ReplaceEntity(view, entity, header, codes, dlg.colour, values, StoredText(dlg.text, TextMaxBytes, true),
                  dlg.fontName);
    return 0;
}

LeaderTextPlace PlaceLeaderText(const std::string& text, double height, int shape, double startX, double kneeX,
                                double kneeY)
{
    const double half = height * 0.5;
    const int bytes = MbcsByteLength(text);
    const int chars = CountMbcsChars(text);
    const bool left = startX > kneeX;
    LeaderTextPlace place;
    place.shoulderX = kneeX;
    place.shoulderY = kneeY;
    switch (shape) {
    case 1:
        place.shoulderX = left ? kneeX - height : kneeX + height;
        place.x = left ? place.shoulderX - bytes * half - half : place.shoulderX + half;
        place.y = kneeY - half;
        break;
    case 2:
        place.shoulderX = left ? kneeX - (bytes + 1) * half : kneeX + (bytes + 1) * half;
        place.x = left ? kneeX - bytes * half - half : kneeX + half;
        place.y = kneeY + height * 0.25;
        break;
    default:
        place.x = left ? kneeX - chars * height - half : kneeX + half;
        place.y = kneeY - half;
        break;
    }
    return place;
}

int EditLeaderTextProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    const double ox = doc->DrawingOrigin[0];
    const double oy = doc->DrawingOrigin[1];
    CChangeLineTextDlg dlg(view);
    dlg.text = FromCp932(entity->text);
    dlg.arrowhead = entity->subtype % 10;
    dlg.pen = entity->style % 100;
    dlg.leaderShape = entity->subtype / 10;
    dlg.colour = entity->colour;
    dlg.height = Value(*entity, 2);
    dlg.xScale = Value(*entity, 3);
    dlg.angle = Value(*entity, 4);
    dlg.fontName = entity->font;
    // The leader's start and knee stay where they are; the text and the
    // shoulder are placed anew from them.
    const double startX = Value(*entity, 5) - ox;
    const double startY = Value(*entity, 6) - oy;
    const double kneeX = Value(*entity, 7) - ox;
    const double kneeY = Value(*entity, 8) - oy;
    const int lineType = entity->style / 100;
    if (dlg.DoModal() != IDOK)
        return 1;
    const std::string text = StoredText(dlg.text, LeaderTextMaxBytes, false);
    const int shape = dlg.leaderShape;
    const LeaderTextPlace place = PlaceLeaderText(text, dlg.height, shape, startX, kneeX, kneeY);
    const int16_t count = shape == 0 ? 9 : 11;
    const EntityHeader header{EntityType::LeaderText, static_cast<int16_t>(shape * 10 + dlg.arrowhead),
                              static_cast<int16_t>(lineType * 100 + dlg.pen), entity->layer, count};
    const int16_t codes[] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
    const double values[] = {place.x + ox,  place.y + oy,  dlg.height,        dlg.xScale,
                             dlg.angle,     startX + ox,   startY + oy,       kneeX + ox,
                             kneeY + oy,    place.shoulderX + ox, place.shoulderY + oy};
    ReplaceEntity(view, entity, header, codes, dlg.colour, values, text, dlg.fontName);
    return 0;
}

namespace {

// The outline colour a fill keeps in the low four bytes of value 0.
COLORREF LowColourBits(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return static_cast<COLORREF>(bits & 0xFFFFFFFFu);
}

double WithLowColourBits(double value, COLORREF colour)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    bits = (bits & 0xFFFFFFFF00000000u) | colour;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

int EditPaintProperties(COrvikCadView* view, CEntity* entity)
{
    CChangePaintDlg dlg(view);
    dlg.colour = entity->colour;
    dlg.outlineColour = entity->values.size() > 0 ? LowColourBits(entity->values[0]) : 0;
    dlg.pen = entity->style % 100;
    dlg.pattern = entity->style / 100;
    if (dlg.DoModal() != IDOK)
        return 1;
    // Every boundary item stays; only the outline colour among the values
    // changes.
    const std::vector<int16_t> codes = entity->codes.ToVector();
    std::vector<double> values = entity->values.ToVector();
    if (!values.empty())
        values[0] = WithLowColourBits(values[0], dlg.outlineColour);
    const EntityHeader header{EntityType::Fill, entity->subtype, static_cast<int16_t>(dlg.pattern * 100 + dlg.pen),
                              entity->layer, static_cast<int16_t>(values.size())};
    ReplaceEntity(view, entity, header, codes.data(), dlg.colour, values.data());
    return 0;
}

int EditHatchProperties(COrvikCadView* view, CEntity* entity)
{
    CChangeHatDlg dlg(view);
    dlg.pen = entity->style;
    dlg.pattern = entity->subtype;
    dlg.colour = entity->colour;
    dlg.spacingX = Value(*entity, 1);
    dlg.spacingY = Value(*entity, 0);
    dlg.angle = Value(*entity, 2);
    if (dlg.DoModal() != IDOK)
        return 1;
    const std::vector<int16_t> codes = entity->codes.ToVector();
    std::vector<double> values = entity->values.ToVector();
    const double chosen[] = {dlg.spacingY, dlg.spacingX, dlg.angle};
    for (std::size_t i = 0; i < 3 && i < values.size(); ++i)
        values[i] = chosen[i];
    const EntityHeader header{EntityType::Hatch, static_cast<int16_t>(dlg.pattern), static_cast<int16_t>(dlg.pen),
                              entity->layer, static_cast<int16_t>(values.size())};
    ReplaceEntity(view, entity, header, codes.data(), dlg.colour, values.data());
    return 0;
}

int EditImageProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    const double ox = doc->DrawingOrigin[0];
    const double oy = doc->DrawingOrigin[1];
    CChangeImageDlg dlg(view);
    dlg.x1 = Value(*entity, 0) - ox;
    dlg.x2 = Value(*entity, 2) - ox;
    dlg.y1 = Value(*entity, 1) - oy;
    dlg.y2 = Value(*entity, 3) - oy;
    dlg.sizeMode = 0;
    dlg.path = FromCp932(entity->text);
    if (dlg.DoModal() != IDOK)
        return 1;
    // Only the corners and the file change.
    const EntityHeader header{EntityType::Image, entity->subtype, entity->style, entity->layer, 4};
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {dlg.x1 + ox, dlg.y1 + oy, dlg.x2 + ox, dlg.y2 + oy};
    ReplaceEntity(view, entity, header, codes, entity->colour, values, ToCp932(dlg.path));
    return 0;
}

namespace {

// The digit of a whole number stored as a double: place 1 units, 10 tens, ...
int Digit(double value, int place)
{
    return static_cast<int>(static_cast<long long>(value) / place % 10);
}

void SetValue(std::vector<double>& values, std::size_t i, double v)
{
    if (i < values.size())
        values[i] = v;
}

// Puts a dimension rebuilt from header, codes, colour and values, its texts
// in font, in the place of old with its members, as one undo step. A
// protected drawing or a record the list refuses leaves old, its members and
// the pending undo step as they were.
void ReplaceDimension(COrvikCadView* view, CEntity* old, const EntityHeader& header, const int16_t* codes,
                      COLORREF colour, const double* values, const std::string& font)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (doc->RefuseWhenProtected())
        return;
    CEntityList& list = doc->list;
    CEntity* before = list.last;
    // The members take their texts' face from the settings while they are built.
    const std::string settingsFont = DimFontName;
    DimFontName = font;
    const int refused = list.AddEntity(header, codes, colour, values);
    DimFontName = settingsFont;
    if (refused != 0)
        return;
    CEntity* dim = before ? before->next : list.first;
    doc->SetModifiedFlag(true);
    for (CEntity* e = dim; e; e = e->next)
        doc->snaps.AddEntityPoints(e);
    BeginEdit(list, &doc->snaps);
    std::vector<CEntity*> replaced{old};
    for (CEntity* e = list.first; e; e = e->next)
        if (e->owner == old)
            replaced.push_back(e);
    for (CEntity* e : replaced) {
        e->state = EntityState::Deleted;
        view->InvalidateEntity(e);
    }
    FinishReplacingEdit(list, &doc->snaps, dim, replaced);
    if (old->owner) {
        dim->owner = old->owner;
        dim->group = old->group;
    }
    auto dc = view->GetClientDc();
    view->DrawEntityChain(*dc, dim);
}

// The font of the dimension's texts: that of its first member text.
std::string MemberFont(const CEntityList& list, const CEntity* dim)
{
    for (const CEntity* e = list.first; e; e = e->next)
        if (e->owner == dim && (e->type == EntityType::Text || e->type == EntityType::LeaderText))
            return e->font;
    return "System";
}

} // namespace

int EditDimensionProperties(COrvikCadView* view, CEntity* entity)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    CChangeDimDLg dlg(view);
    const auto at = [&](int code) {
        const int i = FindValueIndex(*entity, static_cast<int16_t>(code));
        return i >= 0 ? entity->values[i] : 0.0;
    };
    const double styleDigits = at(13);
    const double terminatorDigits = at(14);
    dlg.textSize = at(11);
    dlg.decimals = std::min(Digit(styleDigits, 10), 4);
    dlg.arrowhead = Digit(terminatorDigits, 10000);
    dlg.dotSizeIndex = Digit(terminatorDigits, 10);
    dlg.arrowSizeIndex = Digit(terminatorDigits, 1);
    dlg.upperExtension = at(15);
    dlg.lowerExtension = at(18);
    const DimensionLabelHead head = UnpackDimensionLabelHead(Value(*entity, 0));
    dlg.toleranceType = ExchangeToleranceType(head.toleranceType);
    if (head.Valid())
        dlg.prefix = head.Prefix();
    dlg.tolerance1 = Value(*entity, 1);
    dlg.tolerance2 = Value(*entity, 2);
    dlg.pen = entity->style;
    dlg.colour = entity->colour;
    dlg.fontName = MemberFont(doc->list, entity);
    dlg.arrowSizeShown = -1;
    if (dlg.DoModal() != IDOK)
        return 1;

    std::vector<double> values = entity->values.ToVector();
    const int type = ExchangeToleranceType(static_cast<int16_t>(dlg.toleranceType));
    SetValue(values, 0, PackDimensionLabelHead(type, dlg.prefix));
    SetValue(values, 1, type == 0 ? 0.0 : dlg.tolerance1);
    SetValue(values, 2, type == 0 ? 0.0 : dlg.tolerance2);
    const int kind = entity->subtype;
    SetValue(values, 4, dlg.textSize);
    SetValue(values, 6,
             Digit(styleDigits, 1000) * 1000 + Digit(styleDigits, 100) * 100 + dlg.decimals * 10 +
                 Digit(styleDigits, 1));
    if (kind != DimensionKind::Area)
        SetValue(values, 7, dlg.arrowhead * 11100 + dlg.dotSizeIndex * 10 + dlg.arrowSizeIndex);
    const auto extensions = [&](std::initializer_list<std::size_t> upper, std::initializer_list<std::size_t> lower) {
        for (std::size_t i : upper)
            SetValue(values, i, dlg.upperExtension);
        for (std::size_t i : lower)
            SetValue(values, i, dlg.lowerExtension);
    };
    switch (kind) {
    case DimensionKind::Distance:
    case DimensionKind::Diameter:
        extensions({8, 9}, {10, 11});
        break;
    case DimensionKind::HorizontalChain:
    case DimensionKind::VerticalChain:
        extensions({8, 9, 10}, {11, 12, 13});
        break;
    case DimensionKind::LineAngle:
    case DimensionKind::ArcAngle:
        extensions({}, {10, 11});
        break;
    default:
        break;
    }
    const std::vector<int16_t> codes = entity->codes.ToVector();
    const EntityHeader header{EntityType::Dimension, entity->subtype, static_cast<int16_t>(dlg.pen), entity->layer,
                              static_cast<int16_t>(values.size())};
    ReplaceDimension(view, entity, header, codes.data(), dlg.colour, values.data(), dlg.fontName);
    return 0;
}
