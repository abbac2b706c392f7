#include "files/legacy/PredecessorCells.h"

#include <algorithm>
#include <cmath>

#include "files/legacy/ByteRecord.h"

namespace {

constexpr std::size_t kHeaderBytes = 19;
constexpr std::size_t kSkippedBytes = 14;
constexpr std::size_t kRecordHead = 7;
constexpr std::uint8_t kTextCell = 0;
constexpr std::uint8_t kNumberCell = 1;
constexpr std::size_t kNumberPayload = 9;

} // namespace

bool PredecessorCellTable::Set(int column, int row, Cell cell)
{
    if (column < 0 || column >= kPredecessorColumns || row < 0 || row >= kPredecessorRows)
        return false;
    m_cells[static_cast<std::size_t>(row * kPredecessorColumns + column)] = std::move(cell);
    return true;
}

void PredecessorCellTable::Clear()
{
    for (auto& cell : m_cells)
        cell.reset();
}

const PredecessorCellTable::Cell* PredecessorCellTable::Find(int column, int row) const
{
    if (column < 0 || column >= kPredecessorColumns || row < 0 || row >= kPredecessorRows)
        return nullptr;
    const auto& cell = m_cells[static_cast<std::size_t>(row * kPredecessorColumns + column)];
    return cell ? &*cell : nullptr;
}

char PredecessorCellTable::GetCellChar(int column, int row) const
{
    const Cell* cell = Find(column, row);
    if (cell == nullptr)
        return '\0';
    if (!cell->isText)
        return '0';
    return cell->text.empty() ? '\0' : cell->text.front();
}

double PredecessorCellTable::GetCellNumber(int column, int row) const
{
    const Cell* cell = Find(column, row);
    return cell != nullptr && !cell->isText ? cell->number : 0.0;
}

int PredecessorCellTable::GetCellInt(int column, int row) const
{
    return TruncateToInt(GetCellNumber(column, row));
}

std::string PredecessorCellTable::GetCellText(int column, int row) const
{
    const Cell* cell = Find(column, row);
    return cell != nullptr && cell->isText ? cell->text : std::string();
}

LegacyReadResult ReadPredecessorCells(std::span<const std::uint8_t> bytes,
                                      PredecessorCellTable& table)
{
    table.Clear();
    ByteSource source(bytes);
    const auto header = source.Take(kHeaderBytes);
    if (!header || !header->Matches(0, "QUARVISH-DATA-FILE") || header->U8(18) != 0)
        return LegacyRefused(0, "The file does not begin with the header of a Quarvish-90 file.");
    if (!source.Take(kSkippedBytes))
        return LegacyRead(source.Offset());
    // Cells up to the end of the file; a record cut short ends the sheet.
    while (const auto head = source.Take(kRecordHead)) {
        const int column = head->U16(0);
        const int row = head->U16(2);
        const std::size_t length = head->U16(5);
        const auto payload = source.Take(length);
        if (!payload)
            break;
        if (length == 0)
            continue;
        const std::size_t kept = std::min(length, kPredecessorPayloadBytes);
        PredecessorCellTable::Cell cell;
        if (payload->U8(0) == kTextCell) {
            cell.isText = true;
            cell.text = payload->Text(1, kept - 1, kept - 1);
        } else if (payload->U8(0) == kNumberCell && kept >= kNumberPayload) {
            cell.number = payload->F64(1);
        } else {
            continue;
        }
        table.Set(column, row, std::move(cell));
    }
    return LegacyRead(source.Offset());
}
