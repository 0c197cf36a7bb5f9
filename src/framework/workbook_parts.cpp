#include "framework/workbook_parts.h"

#include "framework/utf8.h"

#include <ctime>

namespace qianyan {

namespace {

constexpr std::string_view xmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view mainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view relationNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view packageRelationNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";

bool plainInXml(unsigned char c) {
    return c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>' && c != '"' && c != '_';
}

void appendHex4(std::string& xml, unsigned value) {
    constexpr char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4) xml += digits[(value >> shift) & 0xF];
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_x0041_" in a text would be read back as "A": its "_" is escaped itself.
bool startsEscape(std::string_view text, std::size_t at) {
    if (text.size() - at < 7 || text[at + 1] != 'x' || text[at + 6] != '_') return false;
    for (std::size_t k = at + 2; k < at + 6; ++k)
        if (!isHexDigit(text[k])) return false;
    return true;
}

void appendRelation(std::string& xml, std::string_view id, std::string_view type, std::string_view target) {
    xml.append("<Relationship Id=\"").append(id).append("\" Type=\"").append(type);
    xml.append("\" Target=\"").append(target).append("\"/>");
}

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace

void appendXmlText(std::string& xml, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t run = i;
        while (run < text.size() && plainInXml(static_cast<unsigned char>(text[run]))) ++run;
        xml.append(text.data() + i, run - i);
        if ((i = run) == text.size()) break;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const Utf8Char decoded = decodeUtf8(text, i);
            if (decoded.length == 1 || decoded.codePoint == 0xFFFE || decoded.codePoint == 0xFFFF)
                xml.append("\uFFFD");
            else
                xml.append(text.substr(i, decoded.length));
            i += decoded.length;
            continue;
        }
        switch (c) {
        case '&':
            xml.append("&amp;");
            break;
        case '<':
            xml.append("&lt;");
            break;
        case '>':
            xml.append("&gt;");
            break;
        case '"':
            xml.append("&quot;");
            break;
        case '\t':
            xml.append("&#9;");
            break;
        case '\n':
            xml.append("&#10;");
            break;
        case '\r':
            xml.append("&#13;");
            break;
        case '_':
            if (startsEscape(text, i))
                xml.append("_x005F_");
            else
                xml += '_';
            break;
        default:
            xml.append("_x");
            appendHex4(xml, c);
            xml += '_';
        }
        ++i;
    }
}

std::string WorkbookStyles::formatCode(int decimals, bool share) {
    std::string code = decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
    if (share) code += '%';
    return code;
}

std::string WorkbookStyles::xml() const {
    std::string xml(xmlDeclaration);
    xml.append("<styleSheet xmlns=\"").append(mainNamespace).append("\">");
    // Formats of the book's own begin at 164; the lower numbers are the built-in ones.
    constexpr int firstOwnFormat = 164;
    if (!formats_.empty()) {
        xml.append("<numFmts count=\"").append(std::to_string(formats_.size())).append("\">");
        for (std::size_t k = 0; k < formats_.size(); ++k)
            xml.append("<numFmt numFmtId=\"")
                .append(std::to_string(firstOwnFormat + static_cast<int>(k)))
                .append("\" formatCode=\"")
                .append(formats_[k])
                .append("\"/>");
        xml.append("</numFmts>");
    }
    const std::string font =
        "<sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/><scheme val=\"minor\"/>";
    xml.append("<fonts count=\"2\"><font>").append(font).append("</font><font><b/>").append(font);
    xml.append("</font></fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill>"
               "<patternFill patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border><left/>"
               "<right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count=\"1\"><xf "
               "numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>");
    xml.append("<cellXfs count=\"").append(std::to_string(2 + formats_.size())).append("\">");
    xml.append("<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
               "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" "
               "applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>");
    for (std::size_t k = 0; k < formats_.size(); ++k)
        xml.append("<xf numFmtId=\"")
            .append(std::to_string(firstOwnFormat + static_cast<int>(k)))
            .append("\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>");
    xml.append("</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
               "</cellStyles></styleSheet>");
    return xml;
}

std::string worksheetPartName(std::size_t sheet) {
    return "xl/worksheets/sheet" + std::to_string(sheet + 1) + ".xml";
}

std::string contentTypesXml(std::size_t sheetCount) {
    constexpr std::string_view office = "application/vnd.openxmlformats-officedocument.";
    std::string xml(xmlDeclaration);
    xml.append("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
               "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
               "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>");
    const auto part = [&](std::string_view name, std::string_view type) {
        xml.append("<Override PartName=\"/").append(name).append("\" ContentType=\"").append(type);
        xml.append("\"/>");
    };
    part("xl/workbook.xml", std::string(office) + "spreadsheetml.sheet.main+xml");
    for (std::size_t k = 0; k < sheetCount; ++k)
        part(worksheetPartName(k), std::string(office) + "spreadsheetml.worksheet+xml");
    part("xl/styles.xml", std::string(office) + "spreadsheetml.styles+xml");
    part("docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    part("docProps/app.xml", std::string(office) + "extended-properties+xml");
    xml.append("</Types>");
    return xml;
}

std::string packageRelationsXml() {
    std::string xml(xmlDeclaration);
    xml.append("<Relationships xmlns=\"").append(packageRelationNamespace).append("\">");
    appendRelation(xml, "rId1", std::string(relationNamespace) + "/officeDocument", "xl/workbook.xml");
    appendRelation(xml, "rId2", std::string(packageRelationNamespace) + "/metadata/core-properties",
                   "docProps/core.xml");
    appendRelation(xml, "rId3", std::string(relationNamespace) + "/extended-properties", "docProps/app.xml");
    xml.append("</Relationships>");
    return xml;
}

std::string bookRelationsXml(std::size_t sheetCount) {
    std::string xml(xmlDeclaration);
    xml.append("<Relationships xmlns=\"").append(packageRelationNamespace).append("\">");
    for (std::size_t k = 0; k < sheetCount; ++k)
        appendRelation(xml, "rId" + std::to_string(k + 1), std::string(relationNamespace) + "/worksheet",
                       worksheetPartName(k).substr(3));
    appendRelation(xml, "rId" + std::to_string(sheetCount + 1), std::string(relationNamespace) + "/styles",
                   "styles.xml");
    xml.append("</Relationships>");
    return xml;
}

std::string bookXml(const std::vector<WorkbookPartSheet>& sheets) {
    std::string xml(xmlDeclaration);
    xml.append("<workbook xmlns=\"").append(mainNamespace).append("\" xmlns:r=\"").append(relationNamespace);
    xml.append("\"><bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>");
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        xml.append("<sheet name=\"");
        appendXmlText(xml, sheets[k].name);
        const std::string number = std::to_string(k + 1);
        xml.append("\" sheetId=\"").append(number).append("\" r:id=\"rId").append(number).append("\"/>");
    }
    xml.append("</sheets>");
    std::string names;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        if (sheets[k].headerRows == 0) continue;
        // The rows printed atop every page: 'name'!$2:$3, a quote in the name doubled.
        std::string quoted = "'";
        for (const char c : sheets[k].name) quoted.append(c == '\'' ? 2 : 1, c);
        quoted += "'!$" + std::to_string(sheets[k].firstHeaderRow + 1) + ":$" +
                  std::to_string(sheets[k].firstHeaderRow + sheets[k].headerRows);
        names.append("<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"").append(std::to_string(k));
        names.append("\">");
        appendXmlText(names, quoted);
        names.append("</definedName>");
    }
    if (!names.empty()) xml.append("<definedNames>").append(names).append("</definedNames>");
    xml.append("</workbook>");
    return xml;
}

std::string corePropertiesXml(std::string_view title) {
    std::string xml(xmlDeclaration);
    xml.append("<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
               "core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\""
               "http://purl.org/dc/terms/\" xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" xmlns:xsi=\""
               "http://www.w3.org/2001/XMLSchema-instance\">");
    if (!title.empty()) {
        xml.append("<dc:title>");
        appendXmlText(xml, title);
        xml.append("</dc:title>");
    }
    const std::string now = utcNow();
    xml.append("<dcterms:created xsi:type=\"dcterms:W3CDTF\">").append(now).append("</dcterms:created>");
    xml.append("<dcterms:modified xsi:type=\"dcterms:W3CDTF\">").append(now).append("</dcterms:modified>");
    xml.append("</cp:coreProperties>");
    return xml;
}

std::string applicationPropertiesXml(std::string_view program) {
    std::string xml(xmlDeclaration);
    xml.append(
        "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
        "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
        "<Application>");
    appendXmlText(xml, program);
    xml.append("</Application></Properties>");
    return xml;
}

} // namespace qianyan
