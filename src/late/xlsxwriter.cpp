// The spreadsheet writer's functions the program calls, loaded when a list is first exported.
#include "late/library.h"

#include <xlsxwriter.h>

extern "C" {
VESK_LATE(late::xlsxwriter(), lxw_workbook*, workbook_new, (const char* filename), (filename))
VESK_LATE(late::xlsxwriter(), lxw_error, workbook_close, (lxw_workbook * workbook), (workbook))
VESK_LATE(late::xlsxwriter(), lxw_format*, workbook_add_format, (lxw_workbook * workbook),
          (workbook))
VESK_LATE(late::xlsxwriter(), lxw_worksheet*, workbook_add_worksheet,
          (lxw_workbook * workbook, const char* sheetname), (workbook, sheetname))
VESK_LATE(late::xlsxwriter(), void, format_set_font_size, (lxw_format * format, double size),
          (format, size))
VESK_LATE(late::xlsxwriter(), void, format_set_bold, (lxw_format * format), (format))
VESK_LATE(late::xlsxwriter(), lxw_error, worksheet_set_column,
          (lxw_worksheet * worksheet, lxw_col_t first_col, lxw_col_t last_col, double width,
           lxw_format* format),
          (worksheet, first_col, last_col, width, format))
VESK_LATE(late::xlsxwriter(), lxw_error, worksheet_write_blank,
          (lxw_worksheet * worksheet, lxw_row_t row, lxw_col_t col, lxw_format* format),
          (worksheet, row, col, format))
VESK_LATE(late::xlsxwriter(), lxw_error, worksheet_write_number,
          (lxw_worksheet * worksheet, lxw_row_t row, lxw_col_t col, double number,
           lxw_format* format),
          (worksheet, row, col, number, format))
VESK_LATE(late::xlsxwriter(), lxw_error, worksheet_write_string,
          (lxw_worksheet * worksheet, lxw_row_t row, lxw_col_t col, const char* string,
           lxw_format* format),
          (worksheet, row, col, string, format))
}
