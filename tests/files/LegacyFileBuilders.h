#pragma once
// Synthesised older data files for the reader tests, written field by field.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "model/catalogues/TRebarList.h"

// A labelled-text file of two sections: a 300 x 500 girder and a 400 x 400 column, the last one
// offered when the file is opened.
inline const std::string kTwoLabelledSections = "// Quarvish input Ver_0.8\n"
                                                "INPUT-LABEL girder\nTITLE Girder\nUNITS Metric\n"
                                                "SECTION SOLID\n500 300\n0 300\nENDSECTION\n"
                                                "INPUT-LABEL column\nTITLE Column\nUNITS Metric\n"
                                                "SECTION SOLID\n400 400\n0 400\nENDSECTION\n";

// Little-endian writer of the old binary layouts.
class ByteWriter {
public:
    ByteWriter& U8(unsigned v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    ByteWriter& I16(int v) { return Le(static_cast<std::uint16_t>(v), 2); }
    ByteWriter& U16(unsigned v) { return Le(v, 2); }
    ByteWriter& I32(std::int64_t v) { return Le(static_cast<std::uint32_t>(v), 4); }
    ByteWriter& F32(float v)
    {
        std::uint32_t u = 0;
        std::memcpy(&u, &v, 4);
        return Le(u, 4);
    }
    ByteWriter& F64(double v)
    {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, 8);
        return Le(u, 8);
    }
    // A text field of the width: the text, then NULs.
    ByteWriter& Text(const std::string& text, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i)
            U8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
        return *this;
    }
    ByteWriter& Zeros(std::size_t n) { return Text("", n); }
    // A run of fields of one type.
    ByteWriter& F64s(std::initializer_list<double> values)
    {
        for (double v : values)
            F64(v);
        return *this;
    }
    ByteWriter& I32s(std::initializer_list<std::int64_t> values)
    {
        for (std::int64_t v : values)
            I32(v);
        return *this;
    }
    std::size_t Size() const { return bytes.size(); }

    // Overwrites a little-endian integer at an offset already written.
    void PatchI16(std::size_t offset, int v)
    {
        bytes[offset] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[offset + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    }
    void PatchI32(std::size_t offset, std::int64_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[offset + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF);
    }
    void PatchF64(std::size_t offset, double v)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i)
            bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
    }

    std::vector<std::uint8_t> bytes;

private:
    ByteWriter& Le(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            U8(static_cast<unsigned>((v >> (8 * i)) & 0xFF));
        return *this;
    }
};

// The 45-byte header of a native file of the version ("0.5", "0.7", "0.8", ...).
inline void WriteNativeHeader(ByteWriter& w, const std::string& version)
{
    w.Text("Quarvish section file", 31).Zeros(4).Text(version, 4).Text("Q4W96", 6);
}

// Version 0.5: one concrete (35 MPa), one reinforcing steel, a 300 x 500 rectangle (one
// region, shape code 0) and two bar layers of 3 x 500 mm^2 (db 25.2 mm) at 0.45 and 0.05 m.
struct V05File {
    std::vector<std::uint8_t> bytes;
};
inline V05File MakeV05File()
{
    ByteWriter w;
    WriteNativeHeader(w, "0.5");
    V05File file;
    w.Text("Beam A", 100).Text("Tester", 20).Text("2020-01-01", 11);
    w.I16(1).I16(1).I16(0).I16(0).Zeros(4);
    w.F64(0.5).Zeros(8).F64(-1.0).F64(0.3).Zeros(2);
    w.I16(2).I16(1).I16(0).I16(0).Zeros(8).F64(1e30).I16(1).F64(0.5).F64(0.0);
    // Concrete, region, reinforcing steel.
    w.F64(-35e6).F64(2e6).F64(-0.002).F64(30e9).Zeros(8).F64(0.019).Zeros(32);
    w.I16(2).I16(18).I16(2).Text("Conc A", 20);
    w.F64(0.5).F64(0.0).F64(0.3).F64(0.3).I16(0);
    w.F64(2e11).F64(400e6).F64(0.007).F64(0.1).F64(600e6).Text("Bar 400", 15);
    // Two bar layers of 3 x 500 mm^2, then the stirrups (two legs of 100 mm^2).
    for (double z : {0.45, 0.05})
        w.F64s({1500e-6, z, 0, 0, 0, 0}).Text(z > 0.1 ? "top" : "bottom", 15).I16(0).F64(0.0252);
    w.F64s({200e-6, 0, 0.2, 0.45, 0.05, 0}).Text("stirrups", 15).I16(0).F64(0.0113);
    // Loads: constant N, M present (marker 9999), increments all 0.
    w.Zeros(48).F64(100e3).F64(50e3).F64(0).F64(0).F64(0).F64(0).Zeros(48).I16(9999);
    file.bytes = w.bytes;
    return file;
}

// Version 0.8 (revision 31166): two concrete types, type 1 with a three-point user curve;
// one steel; one region; one longitudinal layer with an unknown bar title "ZZ9"; two
// transverse layers; a strain table that sets transverse layer 1's strain value.
struct V08File {
    std::vector<std::uint8_t> bytes;
    std::size_t strainTableCount; // offset of the first strain table's n
    std::size_t curveSection;     // offset of the user-curve section
};
inline V08File MakeV08File(int version = 8, int revision = 31166)
{
    ByteWriter w;
    WriteNativeHeader(w, version == 7 ? "0.7" : "0.8");
    V08File file;
    w.Text("Beam B", 100).Text("Tester", 20).Text("2021-02-02", 11);
    w.I16(2).I16(1).I16(0).F64(0.6).F64(-1.0).F64(-1.0);
    w.I16(2).I16(1).I16(1).I16(1).I16(0).I16(32766).Text("USER", 20);
    for (int k = 0; k < 10; ++k)
        w.F64(0.0);
    w.F64(1e30).F64(0.6).F64(0.0).Zeros(48).Zeros(8).I16(0).I16(0).I16(revision).I16(0);
    w.F64s({0.0, 100.0}).F32(1.5f).F32(0.0f).F32(0.0f).F32(0.022f).Zeros(3).F32(0.0f).Zeros(9);
    // Concrete types: type 1 is user-defined (marker 9999).
    for (int t = 0; t < 2; ++t) {
        w.F64(-30e6).F64(1.8e6).F64(-0.002).F64(25e9).F64(0.0).F64(1.0).F64(0.019).Zeros(48);
        w.I16(2).I16(18).I16(2).Text(t == 0 ? "C30" : "C30 user", 20).Zeros(6);
        w.I16(t == 1 ? 9999 : 0).Zeros(56);
    }
    w.I32(1).Zeros(4).F64s({2e11, 400e6, 0.007, 0, 0, 0.1, 600e6}).Zeros(32).Text("Bar 400", 15);
    // One longitudinal layer with a bar title the catalogue lacks.
    w.F64s({0.55, 1000e-6, 0}).I32(2).F64s({500e-6, 0.0252}).Text("ZZ9", 15).I32(-1).F64(0);
    w.I32(0).F64(0).I32s({0, 0, 0, 0}).Zeros(20).F64(0).Zeros(24).F64(0).Zeros(8);
    w.Text("bottom", 15);
    for (const char* name : {"stirrup A", "stirrup B"}) {
        w.F64s({200e-6, 1.5707963267945}).I32(2).F64s({100e-6, 0.0113}).Text("10M", 15).I32(-1);
        w.F64(0).I32s({0, 0}).F64s({0.55, 0.05, 0.2, 0, 0}).Zeros(48).Text(name, 15);
    }
    w.F64s({0.6, 0.0, 0.4, 0.4}).I16(0).Zeros(32);
    w.F64s({0, 0, 0, 0, -2000.0, 10000.0});
    // Strain tables: the strain value of transverse layer 1; a shrinkage profile; nothing.
    file.strainTableCount = w.Size();
    w.I32(1).I32(2).F64(0.0005).F64(1001.0);
    w.I32(2).I32(1).F64(1e-4).F64(0.6).F64(2e-4).F64(0.0);
    w.I32(0).I32(0);
    // User curves: none for type 0, three points for type 1.
    file.curveSection = w.Size();
    w.I32(2).I32(0).I32(3).F64(-0.001).F64(-20e6).F64(-0.002).F64(-30e6).F64(-0.003).F64(-25e6);
    file.bytes = w.bytes;
    return file;
}

// The cell sheet of a predecessor file.
class SheetWriter {
public:
    SheetWriter() { m_writer.Text("QUARVISH-DATA-FILE", 19).Zeros(14); }
    SheetWriter& Number(int column, int row, double v)
    {
        ByteWriter payload;
        payload.U8(1).F64(v);
        return Raw(column, row, payload.bytes);
    }
    SheetWriter& Text(int column, int row, const std::string& text)
    {
        ByteWriter payload;
        payload.U8(0).Text(text, text.size() + 1);
        return Raw(column, row, payload.bytes);
    }
    // A raw record with the payload as given.
    SheetWriter& Raw(int column, int row, const std::vector<std::uint8_t>& payload)
    {
        m_writer.U16(static_cast<unsigned>(column))
            .U16(static_cast<unsigned>(row))
            .U8(0)
            .U16(static_cast<unsigned>(payload.size()));
        m_writer.bytes.insert(m_writer.bytes.end(), payload.begin(), payload.end());
        return *this;
    }
    std::vector<std::uint8_t> Bytes() const { return m_writer.bytes; }

private:
    ByteWriter m_writer;
};

// A metric sheet with two concrete types, one steel type and two regions side by side over
// the same depths (different concrete types), one bar layer.
inline SheetWriter MakeTwoTypeSheetWriter()
{
    SheetWriter w;
    w.Text(3, 2, "Two types").Text(3, 3, "Metric").Number(3, 4, 2);
    w.Number(1, 7, 35).Number(2, 7, 2).Number(3, 7, 2).Number(4, 7, 1);
    w.Number(1, 8, 50).Number(2, 8, 2.2).Number(3, 8, 2.5).Number(4, 8, 1);
    w.Number(3, 9, 1); // one reinforcing steel, its record in row 12
    w.Number(1, 12, 200000)
        .Number(2, 12, 400)
        .Number(3, 12, 7)
        .Number(4, 12, 100)
        .Number(5, 12, 600);
    w.Number(3, 13, 0);                    // no prestressing steel
    w.Number(3, 15, 250).Text(3, 16, "N"); // moment axis; no crack block
    w.Number(3, 17, 2);                    // two regions over the same depths
    w.Number(1, 20, 0).Number(2, 20, 200).Number(3, 20, 200).Number(4, 20, 500).Number(5, 20, 1);
    w.Number(1, 21, 0).Number(2, 21, 400).Number(3, 21, 400).Number(4, 21, 500).Number(5, 21, 2);
    w.Number(3, 22, 1); // one bar layer in row 25
    w.Number(1, 25, 50).Number(2, 25, 1500).Number(3, 25, 1);
    w.Text(3, 26, "N").Text(3, 27, "N").Text(3, 28, "N");
    return w;
}

inline std::vector<std::uint8_t> MakeTwoTypeSheet()
{
    return MakeTwoTypeSheetWriter().Bytes();
}

// Installs the default bar catalogue for a test and empties it afterwards.
class DefaultCatalogue {
public:
    DefaultCatalogue()
    {
        g_RebarList.Clear();
        std::istringstream in(DefaultRebarListing());
        g_RebarList.ReadListing(in);
    }
    ~DefaultCatalogue() { g_RebarList.Clear(); }
    DefaultCatalogue(const DefaultCatalogue&) = delete;
    DefaultCatalogue& operator=(const DefaultCatalogue&) = delete;
};

inline std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The first n bytes.
inline std::vector<std::uint8_t> Cut(const std::vector<std::uint8_t>& bytes, std::size_t n)
{
    return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n));
}
