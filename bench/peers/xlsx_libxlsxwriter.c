/* The workbook's yardstick: a plain C program that writes, through libxlsxwriter alone, the
 * same workbook as Spritlog's export (src/reports/xlsxworkbook.cpp): the same sheets, cells,
 * cell types, formats, column widths, print set-up, panes, filter, hidden sheet and charts,
 * in constant-memory mode without ZIP64.
 *
 *   spritlog-peer-xlsx INPUT.xlsx OUTPUT.xlsx [--fsync]
 *
 * INPUT is a workbook that Spritlog wrote for the logbook (spritlog-cli export LOGBOOK xlsx).
 * Its cells are read first, with `unzip -p`, and held in memory; that part is not timed.
 * Timed is only the library's work: from workbook_new_opt to workbook_close (and, with
 * --fsync, the fsync of the output, as Spritlog's save does). Prints the CPU time of the
 * process (user + system) and the wall-clock time of that part.
 *
 * Unzipping INPUT and OUTPUT and comparing their XML shows the same content (only the
 * creation time in docProps/core.xml differs). */
#define _GNU_SOURCE
#include <xlsxwriter.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

enum kind { NUMBER, DATE, TEXT, FORMULA_TEXT, FORMULA_NUMBER };

struct cell {
    lxw_row_t row;
    lxw_col_t col;
    unsigned char kind;
    unsigned char style; /* index into the styles read from styles.xml */
    double number;
    lxw_datetime date;
    char* text;   /* TEXT: the string; FORMULA_*: the formula */
    char* result; /* FORMULA_TEXT: the cached result */
};

struct sheet {
    char name[64];
    int hidden;
    int repeat_heading;
    int frozen;
    char autofilter[32];
    char header[1024];
    char footer[256];
    int width_first[64], width_last[64]; /* 1-based, as in the file */
    double widths[64];
    int width_count;
    struct cell* cells;
    size_t count;
    size_t capacity;
    lxw_row_t last_row;
};

#define MAX_STYLES 64
struct style {
    char num_format[128];
    int bold;
    int date;
    lxw_format* format;
};

static struct sheet sheets[8];
static int sheet_count;
static char* title;
static struct style styles[MAX_STYLES];
static int style_count;

static void fail(const char* what) {
    fprintf(stderr, "spritlog-peer-xlsx: %s\n", what);
    exit(1);
}

/* The whole of one part of the zip, as a NUL-terminated string. */
static char* read_part(const char* zip, const char* part) {
    char command[4096];
    snprintf(command, sizeof command, "unzip -p '%s' '%s'", zip, part);
    FILE* pipe = popen(command, "r");
    if (!pipe)
        fail("cannot run unzip");
    size_t size = 0, capacity = 1 << 20;
    char* data = malloc(capacity);
    size_t got;
    while ((got = fread(data + size, 1, capacity - size - 1, pipe)) > 0) {
        size += got;
        if (capacity - size < 2) {
            capacity *= 2;
            data = realloc(data, capacity);
        }
    }
    if (pclose(pipe) != 0 || size == 0)
        fail("cannot read the input workbook");
    data[size] = '\0';
    return data;
}

/* XML text between `from` and `to` without its five entities, newly allocated. */
static char* unescape(const char* from, const char* to) {
    char* out = malloc((size_t)(to - from) + 1);
    char* o = out;
    static const char* names[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
    static const char chars[] = {'&', '<', '>', '"', '\''};
    while (from < to) {
        int done = 0;
        if (*from == '&') {
            for (int i = 0; i < 5 && !done; ++i) {
                size_t n = strlen(names[i]);
                if (strncmp(from, names[i], n) == 0) {
                    *o++ = chars[i];
                    from += n;
                    done = 1;
                }
            }
        }
        if (!done)
            *o++ = *from++;
    }
    *o = '\0';
    return out;
}

/* The value of attribute `name` inside the tag that starts at `tag`, or NULL. */
static const char* attribute(const char* tag, const char* name, char* value, size_t size) {
    const char* end = strchr(tag, '>');
    char pattern[64];
    snprintf(pattern, sizeof pattern, " %s=\"", name);
    const char* at = memmem(tag, (size_t)(end - tag), pattern, strlen(pattern));
    if (!at)
        return NULL;
    at += strlen(pattern);
    const char* close = strchr(at, '"');
    size_t n = (size_t)(close - at) < size - 1 ? (size_t)(close - at) : size - 1;
    memcpy(value, at, n);
    value[n] = '\0';
    return value;
}

/* The text between `open` and `close` after `from`, unescaped, or NULL. */
static char* element(const char* from, const char* limit, const char* open, const char* close) {
    const char* at = memmem(from, (size_t)(limit - from), open, strlen(open));
    if (!at)
        return NULL;
    at = strchr(at, '>') + 1;
    const char* end = strstr(at, close);
    return unescape(at, end);
}

static void read_styles(const char* xml) {
    const char* xfs = strstr(xml, "<cellXfs");
    const char* end = strstr(xfs, "</cellXfs>");
    for (const char* xf = strstr(xfs, "<xf "); xf && xf < end; xf = strstr(xf + 1, "<xf ")) {
        struct style* s = &styles[style_count++];
        char id[16], font[16];
        attribute(xf, "numFmtId", id, sizeof id);
        attribute(xf, "fontId", font, sizeof font);
        s->bold = strcmp(font, "1") == 0;
        if (strcmp(id, "0") == 0)
            continue;
        char pattern[64];
        snprintf(pattern, sizeof pattern, "<numFmt numFmtId=\"%s\" formatCode=\"", id);
        const char* code = strstr(xml, pattern) + strlen(pattern);
        char* text = unescape(code, strchr(code, '"'));
        snprintf(s->num_format, sizeof s->num_format, "%s", text);
        free(text);
        s->date = strstr(s->num_format, "yyyy") != NULL;
    }
}

/* Excel's serial day (from 1900, with its 29 February 1900) as a date. */
static lxw_datetime serial_to_date(double serial) {
    long days = (long)serial - 25569 + 719468; /* 1970-01-01 is serial 25569 */
    long era = days / 146097;
    long doe = days - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    int day = (int)(doy - (153 * mp + 2) / 5 + 1);
    int month = (int)(mp < 10 ? mp + 3 : mp - 9);
    int year = (int)(yoe + era * 400 + (month <= 2));
    lxw_datetime date = {year, month, day, 0, 0, 0.0};
    return date;
}

static void add_cell(struct sheet* sheet, struct cell cell) {
    if (sheet->count == sheet->capacity) {
        sheet->capacity = sheet->capacity ? 2 * sheet->capacity : 1024;
        sheet->cells = realloc(sheet->cells, sheet->capacity * sizeof(struct cell));
    }
    sheet->cells[sheet->count++] = cell;
    sheet->last_row = cell.row;
}

static void read_cell(struct sheet* sheet, const char* c) {
    const char* tag_end = strchr(c, '>');
    if (tag_end[-1] == '/')
        return; /* an empty cell: none written */
    const char* end = strstr(c, "</c>");
    struct cell cell = {0};
    char ref[16], s[16], t[16];
    attribute(c, "r", ref, sizeof ref);
    lxw_row_t row;
    lxw_col_t col;
    col = lxw_name_to_col(ref);
    row = lxw_name_to_row(ref);
    cell.row = row;
    cell.col = col;
    cell.style = attribute(c, "s", s, sizeof s) ? (unsigned char)atoi(s) : 0;
    const int typed = attribute(c, "t", t, sizeof t) != NULL;
    char* formula = element(c, end, "<f", "</f>");
    char* value = element(c, end, "<v", "</v>");
    if (formula) {
        cell.text = formula;
        if (typed && strcmp(t, "str") == 0) {
            cell.kind = FORMULA_TEXT;
            cell.result = value;
        } else {
            cell.kind = FORMULA_NUMBER;
            cell.number = strtod(value, NULL);
            free(value);
        }
    } else if (typed && strcmp(t, "inlineStr") == 0) {
        cell.kind = TEXT;
        cell.text = element(c, end, "<t", "</t>");
    } else {
        cell.number = strtod(value, NULL);
        free(value);
        cell.kind = NUMBER;
        if (styles[cell.style].date) {
            cell.kind = DATE;
            cell.date = serial_to_date(cell.number);
        }
    }
    add_cell(sheet, cell);
}

static void read_sheet(struct sheet* sheet, const char* xml) {
    sheet->frozen = strstr(xml, "<pane ySplit=\"1\"") != NULL;
    const char* filter = strstr(xml, "<autoFilter ");
    if (filter)
        attribute(filter, "ref", sheet->autofilter, sizeof sheet->autofilter);
    char* header = element(xml, xml + strlen(xml), "<oddHeader", "</oddHeader>");
    char* footer = element(xml, xml + strlen(xml), "<oddFooter", "</oddFooter>");
    snprintf(sheet->header, sizeof sheet->header, "%s", header);
    snprintf(sheet->footer, sizeof sheet->footer, "%s", footer);
    free(header);
    free(footer);
    const char* data = strstr(xml, "<sheetData");
    for (const char* col = strstr(xml, "<col "); col && col < data;
         col = strstr(col + 1, "<col ")) {
        char width[32], min[16], max[16];
        attribute(col, "width", width, sizeof width);
        attribute(col, "min", min, sizeof min);
        attribute(col, "max", max, sizeof max);
        sheet->width_first[sheet->width_count] = atoi(min);
        sheet->width_last[sheet->width_count] = atoi(max);
        /* The file holds the width plus the library's padding; the program asked for whole
           characters. */
        sheet->widths[sheet->width_count++] = (double)(long)strtod(width, NULL);
    }
    for (const char* c = strstr(data, "<c "); c; c = strstr(c + 1, "<c "))
        read_cell(sheet, c);
}

static void read_input(const char* zip) {
    char* workbook = read_part(zip, "xl/workbook.xml");
    char* styles_xml = read_part(zip, "xl/styles.xml");
    read_styles(styles_xml);
    for (const char* s = strstr(workbook, "<sheet "); s; s = strstr(s + 1, "<sheet ")) {
        struct sheet* sheet = &sheets[sheet_count++];
        char* name = malloc(64);
        attribute(s, "name", name, 64);
        snprintf(sheet->name, sizeof sheet->name, "%s", name);
        free(name);
        char state[16];
        sheet->hidden = attribute(s, "state", state, sizeof state) != NULL;
        char title[128];
        snprintf(title, sizeof title,
                 "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"%d\"", sheet_count - 1);
        sheet->repeat_heading = strstr(workbook, title) != NULL;
        char part[64];
        snprintf(part, sizeof part, "xl/worksheets/sheet%d.xml", sheet_count);
        char* xml = read_part(zip, part);
        read_sheet(sheet, xml);
        free(xml);
    }
    char* core = read_part(zip, "docProps/core.xml");
    title = element(core, core + strlen(core), "<dc:title", "</dc:title>");
    free(core);
    free(workbook);
    free(styles_xml);
}

static struct sheet* find_sheet(const char* name) {
    for (int i = 0; i < sheet_count; ++i)
        if (strcmp(sheets[i].name, name) == 0)
            return &sheets[i];
    return NULL;
}

static void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        fail(lxw_strerror(error));
}

static void write_cells(lxw_worksheet* ws, const struct sheet* sheet) {
    for (size_t i = 0; i < sheet->count; ++i) {
        const struct cell* c = &sheet->cells[i];
        lxw_format* format = styles[c->style].format;
        switch (c->kind) {
        case NUMBER:
            check(worksheet_write_number(ws, c->row, c->col, c->number, format));
            break;
        case DATE:
            check(worksheet_write_datetime(ws, c->row, c->col, (lxw_datetime*)&c->date, format));
            break;
        case TEXT:
            check(worksheet_write_string(ws, c->row, c->col, c->text, format));
            break;
        case FORMULA_TEXT:
            check(worksheet_write_formula_str(ws, c->row, c->col, c->text, format, c->result));
            break;
        case FORMULA_NUMBER:
            check(worksheet_write_formula_num(ws, c->row, c->col, c->text, format, c->number));
            break;
        }
    }
}

static void finish_chart(lxw_chart* chart, const char* title, lxw_worksheet* ws, lxw_row_t row) {
    chart_title_set_name(chart, title);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options options = {0};
    options.x_scale = 2.0;
    options.y_scale = 1.4;
    check(worksheet_insert_chart_opt(ws, row, 0, chart, &options));
}

static void add_series(lxw_chart* chart, const char* categories, int text, const char* values,
                       const char* name) {
    lxw_chart_series* series = chart_add_series(chart, categories, values);
    if (text)
        series->categories->has_string_cache = LXW_TRUE;
    chart_series_set_name(series, name);
    chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
}

/* The two charts as Spritlog draws them, over the cells of the other sheets. */
static void write_charts(lxw_workbook* book, lxw_worksheet* ws) {
    const struct sheet* helpers = find_sheet("Hilfswerte");
    const struct sheet* months = find_sheet("Monate");
    char categories[128], values[128];
    if (helpers && helpers->last_row > 0) {
        const unsigned last = helpers->last_row + 1;
        lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
        snprintf(categories, sizeof categories, "=Hilfswerte!$A$2:$A$%u", last);
        snprintf(values, sizeof values, "=Tankbuch!$F$3:$F$%u", last + 1);
        add_series(chart, categories, 1, values, "Liter je 100 KM");
        snprintf(values, sizeof values, "=Hilfswerte!$B$2:$B$%u", last);
        add_series(chart, categories, 1, values, "Durchschnitt");
        finish_chart(chart, "Liter je 100 KM", ws, 0);
    }
    if (months && months->last_row > 0) {
        const unsigned last = months->last_row + 1;
        lxw_chart* chart = workbook_add_chart(book, LXW_CHART_COLUMN);
        snprintf(categories, sizeof categories, "=Monate!$A$2:$A$%u", last);
        snprintf(values, sizeof values, "=Monate!$H$2:$H$%u", last);
        add_series(chart, categories, 0, values, "Tankkosten");
        chart_axis_set_num_format(chart->x_axis, "mm\\.yyyy");
        finish_chart(chart, "Tankkosten", ws, 22);
    }
}

static void write_sheet(lxw_workbook* book, const struct sheet* sheet) {
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet->name);
    worksheet_set_landscape(ws);
    worksheet_set_paper(ws, 9);
    worksheet_fit_to_pages(ws, 1, 0);
    if (sheet->repeat_heading)
        check(worksheet_repeat_rows(ws, 0, 0));
    check(worksheet_set_header(ws, sheet->header));
    check(worksheet_set_footer(ws, sheet->footer));
    if (sheet->hidden)
        worksheet_hide(ws);
    if (strcmp(sheet->name, "Diagramme") == 0)
        write_charts(book, ws);
    for (int c = 0; c < sheet->width_count; ++c)
        check(worksheet_set_column(ws, (lxw_col_t)(sheet->width_first[c] - 1),
                                   (lxw_col_t)(sheet->width_last[c] - 1), sheet->widths[c], NULL));
    write_cells(ws, sheet);
    if (sheet->frozen)
        worksheet_freeze_panes(ws, 1, 0);
    if (sheet->autofilter[0]) {
        char* colon = strchr(sheet->autofilter, ':');
        *colon = '\0';
        check(worksheet_autofilter(ws, lxw_name_to_row(sheet->autofilter),
                                   lxw_name_to_col(sheet->autofilter), lxw_name_to_row(colon + 1),
                                   lxw_name_to_col(colon + 1)));
        *colon = ':';
    }
}

static double seconds(struct timeval t) {
    return (double)t.tv_sec + (double)t.tv_usec / 1e6;
}

static double cpu_seconds(void) {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

static double wall_seconds(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

/* The timed part: everything the library does for the workbook. A function of its own, so
 * that a profiler can single it out (valgrind --toggle-collect=write_workbook). */
__attribute__((noinline)) static void write_workbook(const char* path, int sync) {
    lxw_workbook_options options = {0};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(path, &options);
    if (!book)
        fail("cannot create the workbook");
    lxw_doc_properties properties = {0};
    properties.title = title;
    properties.author = "Spritlog";
    check(workbook_set_properties(book, &properties));
    for (int i = 1; i < style_count; ++i) {
        styles[i].format = workbook_add_format(book);
        if (styles[i].num_format[0])
            format_set_num_format(styles[i].format, styles[i].num_format);
        if (styles[i].bold)
            format_set_bold(styles[i].format);
    }
    for (int i = 0; i < sheet_count; ++i)
        write_sheet(book, &sheets[i]);
    check(workbook_close(book));
    if (sync) {
        const int fd = open(path, O_RDONLY);
        if (fd < 0 || fsync(fd) != 0)
            fail("cannot sync the output");
        close(fd);
    }
}

int main(int argc, char** argv) {
    if (argc < 3)
        fail("usage: spritlog-peer-xlsx INPUT.xlsx OUTPUT.xlsx [--fsync]");
    const int sync = argc > 3 && strcmp(argv[3], "--fsync") == 0;
    read_input(argv[1]);
    size_t cells = 0;
    for (int i = 0; i < sheet_count; ++i)
        cells += sheets[i].count;

    const double cpu0 = cpu_seconds(), wall0 = wall_seconds();
    write_workbook(argv[2], sync);
    const double cpu = cpu_seconds() - cpu0, wall = wall_seconds() - wall0;
    printf("libxlsxwriter alone: %zu cells, cpu %.1f ms, wall %.1f ms\n", cells, cpu * 1e3,
           wall * 1e3);
    return 0;
}
