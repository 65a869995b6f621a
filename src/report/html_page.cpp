#include "report/html_page.h"

#include <cmath>
#include <cstdio>

#include "report/text_escape.h"

namespace murex::report {
namespace {

constexpr const char* style = R"(
body { font-family: system-ui, sans-serif; margin: 1.5em; color: #222; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.4em 0.6em; vertical-align: top; text-align: left; }
th.sortable { cursor: pointer; background: #eef; }
th.sortable:hover { background: #dde; }
.controls button { margin-right: 0.4em; }
.controls button.active, th.active { font-weight: bold; background: #ccf; }
.drawing svg { max-width: 420px; height: auto; }
pre.dot { font-size: 0.8em; max-width: 420px; overflow: auto; }
code.smarts { word-break: break-all; }
td.labels { max-width: 22em; font-size: 0.9em; }
td.labels .item { white-space: nowrap; margin-right: 0.5em; }
td.labels .position { color: #777; font-size: 0.85em; }
.graphs { font-size: 0.8em; color: #555; }
#script-errors { color: #b00; }
)";

constexpr const char* error_recorder = R"(
(function () {
  var root = document.documentElement;
  root.setAttribute('data-errors', '0');
  window.murexErrors = [];
  window.onerror = function (message, source, line) {
    window.murexErrors.push(String(message) + ' (line ' + line + ')');
    root.setAttribute('data-errors', String(window.murexErrors.length));
    var box = document.getElementById('script-errors');
    if (box) box.textContent = window.murexErrors.join('\n');
  };
})();
)";

constexpr const char* sorter = R"(
(function () {
  var root = document.documentElement;
  var body = document.querySelector('#patterns tbody');
  var rows = Array.prototype.slice.call(body.querySelectorAll('tr.pattern'));
  function number(row, name) {
    var text = row.getAttribute('data-' + name);
    var value = text === null || text === '' ? NaN : Number(text);
    return isNaN(value) ? -Infinity : value;
  }
  function byScore(a, b) { return number(b, 'score') - number(a, 'score') || number(a, 'pattern') - number(b, 'pattern'); }
  function comparator(key) {
    if (key === 'pattern') return function (a, b) { return number(a, 'pattern') - number(b, 'pattern'); };
    if (key === 'support' || /^support-[0-9]+$/.test(key)) {
      return function (a, b) { return number(b, key) - number(a, key) || byScore(a, b); };
    }
    return byScore;
  }
  function sortBy(key) {
    if (key !== 'pattern' && key !== 'support' && !/^support-[0-9]+$/.test(key)) key = 'score';
    if (/^support-[0-9]+$/.test(key) && rows.length > 0 && rows[0].getAttribute('data-' + key) === null) key = 'score';
    rows.sort(comparator(key));
    rows.forEach(function (row) { body.appendChild(row); });
    var marks = document.querySelectorAll('[data-sort]');
    for (var k = 0; k < marks.length; ++k) {
      marks[k].classList.toggle('active', marks[k].getAttribute('data-sort') === key);
    }
    root.setAttribute('data-sorted', key);
  }
  var controls = document.querySelectorAll('[data-sort]');
  for (var k = 0; k < controls.length; ++k) {
    controls[k].addEventListener('click', function (event) { sortBy(event.currentTarget.getAttribute('data-sort')); });
  }
  var asked = /(?:^|[#?&])sort=([A-Za-z0-9-]+)/.exec(location.hash + '&' + location.search);
  // An order asked for in the address goes through its button, as a click would.
  var button = asked ? document.querySelector('button[data-sort="' + asked[1] + '"]') : null;
  if (button) button.click(); else sortBy(asked ? asked[1] : 'score');
  root.setAttribute('data-ready', 'yes');
})();
)";

std::string percent(double fraction) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f%%", fraction * 100.0);
  return buffer;
}

// The score as the page's script reads it (Number()); "" for a score that is not a number.
std::string score_attribute(const Pattern& pattern) {
  if (std::isnan(pattern.score)) return "";
  if (std::isinf(pattern.score)) return pattern.score > 0 ? "Infinity" : "-Infinity";
  return json_number(pattern.score);
}

}  // namespace

void write_html_page(std::ostream& out, const Report& report, const std::vector<Pattern_drawing>& drawings) {
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      << "<title>murex patterns</title>\n<style>" << style << "</style>\n<script>" << error_recorder
      << "</script>\n</head>\n<body>\n";
  out << "<h1>murex patterns</h1>\n<p>" << report.patterns.size() << " patterns; "
      << (report.directed ? "directed" : "undirected") << " graphs, "
      << (report.induced ? "induced subgraphs" : "subgraphs") << ".</p>\n";
  out << "<table id=\"classes\">\n<thead><tr><th>class</th><th>data file</th><th>graphs</th></tr></thead>\n<tbody>\n";
  for (std::size_t c = 0; c < report.classes.size(); ++c) {
    out << "<tr><td>" << c << "</td><td>" << html_escape(report.classes[c].file) << "</td><td>"
        << report.classes[c].graph_count << "</td></tr>\n";
  }
  out << "</tbody>\n</table>\n";

  out << "<p class=\"controls\">Sort by: <button type=\"button\" data-sort=\"score\">score</button>"
      << "<button type=\"button\" data-sort=\"support\">total support</button>";
  for (std::size_t c = 0; c < report.classes.size(); ++c) {
    out << "<button type=\"button\" data-sort=\"support-" << c << "\">support in " << html_escape(report.classes[c].file)
        << "</button>";
  }
  out << "<button type=\"button\" data-sort=\"pattern\">file order</button></p>\n";
  out << "<pre id=\"script-errors\"></pre>\n";

  out << "<table id=\"patterns\">\n<thead><tr><th class=\"sortable\" data-sort=\"pattern\">pattern</th>"
      << "<th>rank</th><th>drawing</th><th>labels</th><th>SMARTS</th>"
      << "<th class=\"sortable\" data-sort=\"support\">support</th>"
      << "<th class=\"sortable\" data-sort=\"score\">score</th></tr></thead>\n<tbody>\n";
  for (const std::size_t p : report.ranked()) {
    const Pattern& pattern = report.patterns[p];
    out << "<tr class=\"pattern\" id=\"pattern-" << pattern.index << "\" data-pattern=\"" << pattern.index
        << "\" data-rank=\"" << pattern.rank << "\" data-score=\"" << html_escape(score_attribute(pattern))
        << "\" data-support=\"" << pattern.total_support() << "\"";
    for (std::size_t c = 0; c < pattern.classes.size(); ++c) {
      out << " data-support-" << c << "=\"" << pattern.classes[c].count << "\"";
    }
    out << ">\n<td>" << pattern.index << "</td><td>" << pattern.rank << "</td>\n<td class=\"drawing\">";
    const Pattern_drawing& drawing = drawings[p];
    if (!drawing.svg.empty()) {
      out << drawing.svg;
    } else {
      out << "<pre class=\"dot\">" << html_escape(drawing.dot) << "</pre>";
    }
    out << "</td>\n<td class=\"labels\"><div>nodes:";
    for (std::size_t k = 0; k < pattern.nodes.size(); ++k) {
      out << " <span class=\"item\"><span class=\"position\">" << k + 1 << "</span>&nbsp;<span class=\"node-label\">"
          << html_escape(pattern.nodes[k]) << "</span></span>";
    }
    out << "</div><div>links:";
    for (const Pattern_link& link : pattern.links) {
      out << " <span class=\"item\"><span class=\"position\">" << link.from
          << (report.directed ? "&rarr;" : "&ndash;") << link.to << "</span>&nbsp;<span class=\"link-label\">"
          << html_escape(link.label) << "</span></span>";
    }
    out << "</div></td>\n<td>";
    if (pattern.smarts) out << "<code class=\"smarts\">" << html_escape(*pattern.smarts) << "</code>";
    out << "</td>\n<td>";
    for (std::size_t c = 0; c < pattern.classes.size(); ++c) {
      const Class_support& support = pattern.classes[c];
      out << "<div class=\"support\">" << html_escape(report.classes[c].file) << ": " << support.count << " / "
          << report.classes[c].graph_count << " (" << percent(support.fraction) << ")";
      if (!support.graphs.empty()) {
        out << "<div class=\"graphs\">graphs ";
        for (std::size_t k = 0; k < support.graphs.size(); ++k) {
          if (k != 0) out << ", ";
          out << support.graphs[k];
          if (report.mapped) {
            const auto found = report.classes[c].sources.find(support.graphs[k]);
            if (found != report.classes[c].sources.end()) out << " (" << html_escape(found->second.id) << ")";
          }
        }
        out << "</div>";
      }
      out << "</div>";
    }
    out << "</td>\n<td class=\"score\">" << html_escape(pattern.score_text) << "</td>\n</tr>\n";
  }
  out << "</tbody>\n</table>\n<script>" << sorter << "</script>\n</body>\n</html>\n";
}

}  // namespace murex::report
