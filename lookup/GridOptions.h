#pragma once
// Option sets of the read-only grid.

#include <QFlags>

enum TwwDBGridOption : unsigned {
    dgEditing = 1u << 0, dgAlwaysShowEditor = 1u << 1, dgTitles = 1u << 2, dgIndicator = 1u << 3,
    dgColumnResize = 1u << 4, dgColLines = 1u << 5, dgRowLines = 1u << 6, dgTabs = 1u << 7,
    dgRowSelect = 1u << 8, dgAlwaysShowSelection = 1u << 9, dgConfirmDelete = 1u << 10,
    dgCancelOnExit = 1u << 11, dgWordWrap = 1u << 12, dgPerfectRowFit = 1u << 13,
    dgMultiSelect = 1u << 14, dgShowFooter = 1u << 15, dgFooter3DCells = 1u << 16,
    dgNoLimitColSize = 1u << 17, dgTrailingEllipsis = 1u << 18, dgShowCellHint = 1u << 19,
    dgTabExitsOnLastCol = 1u << 20, dgFixedResizable = 1u << 21, dgFixedEditable = 1u << 22,
    dgProportionalColResize = 1u << 23, dgRowResize = 1u << 24, dgRowLinesDisableFixed = 1u << 25,
    dgColLinesDisableFixed = 1u << 26, dgFixedProportionalResize = 1u << 27,
    dgHideBottomDataLine = 1u << 28, dgDblClickColSizing = 1u << 29
};
Q_DECLARE_FLAGS(TwwDBGridOptions, TwwDBGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwwDBGridOptions)

enum TwwDBGridKeyOption : unsigned { dgEnterToTab = 1u << 0, dgAllowDelete = 1u << 1, dgAllowInsert = 1u << 2 };
Q_DECLARE_FLAGS(TwwDBGridKeyOptions, TwwDBGridKeyOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwwDBGridKeyOptions)

enum TwwBackgroundOption : unsigned {
    coFillDataCells = 1u << 0, coBlendFixedRow = 1u << 1, coBlendFixedColumn = 1u << 2,
    coBlendActiveRecord = 1u << 3, coBlendAlternatingRow = 1u << 4
};
Q_DECLARE_FLAGS(TwwBackgroundOptions, TwwBackgroundOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwwBackgroundOptions)

enum TwwAlternatingRowRegion : unsigned {
    arrFixedColumns = 1u << 0, arrDataColumns = 1u << 1, arrActiveDataColumn = 1u << 2
};
Q_DECLARE_FLAGS(TwwAlternatingRowRegions, TwwAlternatingRowRegion)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwwAlternatingRowRegions)

inline constexpr TwwDBGridOptions kDefaultGridOptions =
    TwwDBGridOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                     dgConfirmDelete | dgCancelOnExit | dgWordWrap);
