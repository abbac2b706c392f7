#pragma once
// The cell sheet of a predecessor-program data file ("QUARVISH-DATA-FILE"): 7 columns by 220
// rows of optional cells, each a number or a text.
//
// File: the 18-character header text and its NUL, 14 bytes not interpreted, then cell records
// (u16 column, u16 row, one byte not interpreted, u16 payload length L, L payload bytes) up to
// the end of the file. Payload byte 0 is the cell type: 0 a text from byte 1 (ended by a NUL),
// 1 an f64 number at bytes 1-8; other types are skipped.
//
// Reading is bounded everywhere: a cell outside the sheet is skipped, a payload keeps at most
// its 212-byte buffer, a text without NUL ends with its payload, and a record cut by the end
// of the file ends the reading with the cells read so far. Outside the sheet every cell reads
// as absent.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/legacy/LegacyReadResult.h"

inline constexpr int kPredecessorColumns = 7;
inline constexpr int kPredecessorRows = 220;
// Bytes of a payload that a cell keeps.
inline constexpr std::size_t kPredecessorPayloadBytes = 212;

class PredecessorCellTable {
public:
    struct Cell {
        bool isText = false;
        std::string text;
        double number = 0.0;
    };

    // Stores a cell (a later one replaces an earlier one); false outside the sheet.
    bool Set(int column, int row, Cell cell);
    void Clear();

    // A number cell gives '0', a text cell its first character, an absent cell NUL.
    char GetCellChar(int column, int row) const;
    // A number cell's value; 0 for text or absent cells.
    double GetCellNumber(int column, int row) const;
    // The value truncated toward zero (held within the integer range); 0 for text or absent.
    int GetCellInt(int column, int row) const;
    // A text cell's text; empty for number or absent cells.
    std::string GetCellText(int column, int row) const;

private:
    const Cell* Find(int column, int row) const;

    std::vector<std::optional<Cell>> m_cells =
        std::vector<std::optional<Cell>>(kPredecessorColumns * kPredecessorRows);
};

// Fills the table from the file's bytes; refused only when the header is not there.
LegacyReadResult ReadPredecessorCells(std::span<const std::uint8_t> bytes,
                                      PredecessorCellTable& table);
