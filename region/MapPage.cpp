#include "MapPage.h"

#include <cmath>
#include <cstdio>

#include "SvgCanvas.h"

namespace halosoil::region {

namespace {

std::string JsonNumber(double value, const char* format = "%.10g") {
    if (!std::isfinite(value)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string JsonValue(const std::optional<double>& value) {
    return value ? JsonNumber(*value) : "null";
}

// A JSON string that may also stand inside a <script> element: "</" cannot close it.
std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            json += '\\';
            json += ch;
        } else if (ch == '/') {
            json += "\\/";
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += ch;
        }
    }
    return json + "\"";
}

// Inlined code must not hold the end of its own element.
std::string Inlined(std::string code, const std::string& element) {
    const std::string end = "</" + element;
    for (std::size_t at = code.find(end); at != std::string::npos; at = code.find(end, at + 3))
        code.replace(at, 2, "<\\/");
    return code;
}

std::string RingJson(const Ring& ring) {
    // GeoJSON closes a ring by repeating its first point.
    std::string json = "[";
    for (std::size_t k = 0; k <= ring.size(); ++k) {
        const Point& p = ring[k % ring.size()];
        json += (k ? ",[" : "[") + JsonNumber(p.x) + "," + JsonNumber(p.y) + "]";
    }
    return json + "]";
}

std::string ShapeJson(const Shape& shape) {
    std::string json = "{\"type\":\"MultiPolygon\",\"coordinates\":[";
    bool firstPolygon = true;
    for (const Polygon& polygon : shape) {
        std::string rings;
        for (const Ring& ring : polygon)
            if (ring.size() >= 3) rings += (rings.empty() ? "" : ",") + RingJson(ring);
        if (rings.empty()) continue;
        json += (firstPolygon ? "[" : ",[") + rings + "]";
        firstPolygon = false;
    }
    return json + "]}";
}

// The slider's positions: the chosen summary first, when a summary was chosen, then every step.
std::vector<std::string> PositionLabels(const ResultsLayer& layer) {
    std::vector<std::string> labels;
    if (layer.choice.summary) labels.push_back(SummaryName(*layer.choice.summary));
    for (int step = 1; step <= layer.stepCount; ++step)
        labels.push_back("step " + std::to_string(step));
    return labels;
}

std::string FieldJson(const MapField& field, const ResultsLayer& layer) {
    std::string values = "[";
    if (layer.choice.summary) values += JsonValue(field.value);
    for (std::size_t k = 0; k < field.steps.size(); ++k)
        values += (k || layer.choice.summary ? "," : "") + JsonValue(field.steps[k]);
    values += "]";
    std::string summaries = "{";
    for (int k = 0; k < 4; ++k)
        summaries += std::string(k ? "," : "") + "\"" + SummaryName(kSummaries[k]) +
                     "\":" + JsonValue(field.summaries[k]);
    summaries += "}";
    return "{\"type\":\"Feature\",\"properties\":{\"id\":" + JsonString(field.id) +
           ",\"status\":" + JsonString(field.status) + ",\"values\":" + values +
           ",\"summaries\":" + summaries + "},\"geometry\":" + ShapeJson(field.shape) + "}";
}

std::string DataJson(const ResultsLayer& layer, const MapClasses& classes, const MapStyle& style) {
    const study::QuantityInfo& info = study::InfoOf(layer.choice.quantity);
    std::string json = "{\"quantity\":" + JsonString(info.name) +
                       ",\"unit\":" + JsonString(info.unit) + ",\"breaks\":[";
    for (std::size_t k = 0; k < classes.breaks.size(); ++k)
        json += (k ? "," : "") + JsonNumber(classes.breaks[k]);
    json += "],\"colors\":[";
    for (int k = 0; k < classes.Count(); ++k)
        json += (k ? "," : "") + JsonString(HexColor(classes.colors[k]));
    json += "],\"labels\":[";
    const std::vector<std::string> labels = ClassLabels(classes);
    for (std::size_t k = 0; k < labels.size(); ++k) json += (k ? "," : "") + JsonString(labels[k]);
    json += "],\"noData\":" + JsonString(HexColor(kNoDataColor)) +
            ",\"outline\":" + JsonString(HexColor(kOutlineColor)) + ",\"positions\":[";
    const std::vector<std::string> positions = PositionLabels(layer);
    for (std::size_t k = 0; k < positions.size(); ++k)
        json += (k ? "," : "") + JsonString(positions[k]);
    const int start = layer.choice.summary ? 0 : layer.choice.step - 1;
    json += "],\"start\":" + std::to_string(start) + ",\"threshold\":";
    if (style.threshold)
        json += "{\"value\":" + JsonNumber(style.threshold->value) +
                ",\"below\":" + (style.threshold->below ? "true" : "false") + "}";
    else
        json += "null";
    json += ",\"fields\":{\"type\":\"FeatureCollection\",\"features\":[";
    // A field without a polygon has nothing to show or to hover over.
    bool first = true;
    for (const MapField& field : layer.fields) {
        if (field.shape.empty()) continue;
        json += (first ? "\n" : ",\n") + FieldJson(field, layer);
        first = false;
    }
    return json + "]}}";
}

// The page's own script: the colour of a value is that of its class, counted as the batch
// runner's SVG counts it (the number of breaks at or below the value).
constexpr const char* kPageScript = R"page(
const classOf = (value) => data.breaks.filter((b) => b <= value).length;
const colorOf = (value) => value === null ? data.noData : data.colors[classOf(value)];
const beyond = (value) => data.threshold !== null && value !== null &&
    (data.threshold.below ? value < data.threshold.value : value > data.threshold.value);
const format = (value) => value === null ? 'no data' :
    Number(value.toPrecision(4)) + ' ' + data.unit;
let position = data.start;

const map = L.map('map', {zoomSnap: 0.1});
const fields = L.geoJSON(data.fields, {style: (feature) => styleOf(feature)}).addTo(map);
function styleOf(feature) {
    const value = feature.properties.values[position];
    const marked = beyond(value);
    return {fillColor: colorOf(value), fillOpacity: 1, color: marked ? '#000000' : data.outline,
            weight: marked ? 3 : 1, opacity: 1};
}
function tooltipOf(feature) {
    const p = feature.properties;
    const rows = [['field', p.id], ['status', p.status],
                  [data.positions[position], format(p.values[position])]];
    for (const [name, value] of Object.entries(p.summaries)) rows.push([name, format(value)]);
    const cell = (text) => {
        const td = document.createElement('td');
        td.textContent = text;
        return td;
    };
    const table = document.createElement('table');
    for (const [name, value] of rows) {
        const tr = document.createElement('tr');
        tr.append(cell(name), cell(value));
        table.append(tr);
    }
    return table;
}
fields.eachLayer((layer) => layer.bindTooltip(() => tooltipOf(layer.feature), {sticky: true}));
map.fitBounds(fields.getBounds(), {padding: [20, 20]});

const legend = L.control({position: 'bottomright'});
legend.onAdd = () => {
    const div = L.DomUtil.create('div', 'legend');
    const heading = document.createElement('div');
    heading.className = 'heading';
    div.append(heading);
    const entry = (color, text, marked) => {
        const row = document.createElement('div');
        const swatch = document.createElement('span');
        swatch.className = marked ? 'swatch marked' : 'swatch';
        swatch.style.background = color;
        row.append(swatch, document.createTextNode(text));
        div.append(row);
    };
    data.colors.forEach((color, k) => entry(color, data.labels[k]));
    const missing = data.fields.features.some((f) => f.properties.values.some((v) => v === null));
    if (missing) entry(data.noData, 'no data');
    if (data.threshold !== null)
        entry('#ffffff', (data.threshold.below ? 'below ' : 'above ') +
              format(data.threshold.value), true);
    return div;
};
legend.addTo(map);

const slider = document.getElementById('position');
const label = document.getElementById('position-label');
slider.max = data.positions.length - 1;
slider.value = position;
function show() {
    label.textContent = data.positions[position];
    document.querySelector('.legend .heading').textContent =
        data.quantity + ' (' + data.unit + '), ' + data.positions[position];
    fields.setStyle(styleOf);
}
slider.addEventListener('input', () => {
    position = Number(slider.value);
    show();
});
show();
)page";

constexpr const char* kPageStyle = R"page(
html, body { margin: 0; height: 100%; font: 13px Arial, "Liberation Sans", sans-serif; }
body { display: flex; flex-direction: column; }
h1 { font-size: 16px; margin: 8px 12px; }
#map { flex: 1; background: #ffffff; }
#controls { padding: 8px 12px; display: flex; gap: 12px; align-items: center; }
#position { flex: 1; }
.legend { background: #ffffff; padding: 6px 8px; border: 1px solid #999999; line-height: 20px; }
.legend .heading { font-weight: bold; }
.swatch { display: inline-block; width: 18px; height: 12px; margin-right: 8px;
          border: 1px solid #4d4d4d; vertical-align: middle; }
.swatch.marked { border: 2px solid #000000;
    background-image: repeating-linear-gradient(-45deg, #000000 0 1px, transparent 1px 6px) !important; }
.leaflet-tooltip td:first-child { padding-right: 8px; color: #555555; }
)page";

std::string HtmlText(const std::string& text) {
    return SvgText(text);
}

}  // namespace

std::string MapPage(const ResultsLayer& wgs84, const MapClasses& classes, const MapStyle& style) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           HtmlText(style.title) + "</title>\n<style>\n" + Inlined(LeafletStyle(), "style") +
           "\n</style>\n<style>" + kPageStyle + "</style>\n</head>\n<body>\n<h1>" +
           HtmlText(style.title) +
           "</h1>\n<div id=\"map\"></div>\n<div id=\"controls\"><label for=\"position\">Step"
           "</label><input type=\"range\" id=\"position\" min=\"0\" step=\"1\">"
           "<span id=\"position-label\"></span></div>\n<script>\n" +
           Inlined(LeafletScript(), "script") +
           "\n</script>\n<script>\nconst data = " + DataJson(wgs84, classes, style) + ";\n" +
           kPageScript + "</script>\n</body>\n</html>\n";
}

}  // namespace halosoil::region
