#pragma once
// Every process-wide setting, declared once. Settings.h and Settings.cpp
// expand these lists into the declarations, the definitions with their
// factory values, the snapshot and the copies to and from the settings
// record, so a setting added here takes part in all of them.
//
// ORVIK_STORED_SETTINGS rows are mirrored by the field of the same name in
// CParameterBlock; the third column says how it travels (Settings.cpp):
//   Both          copied both ways
//   In            only taken from the record
//   Text<N>       a text of at most N bytes, both ways
//   InText<N>     the same, only taken from the record
//   Tolerance     the tolerance kind, 3 and 7 exchanged both ways
//   InPosition<D> a window position, only taken from the record; 0 or less becomes D
// ORVIK_RUN_SETTINGS rows live only for the run.
//
// Each row: X(type, name, transfer, factory value...). The factory value is
// the rest of the row, so braced lists need no extra parentheses.

#define ORVIK_RUN_SETTINGS(X)                                                                                  \
    X(int16_t, PartsBase, -, 0)                                                                                \
    X(double, PartsBaseX, -, 0.0)                                                                              \
    X(double, PartsBaseY, -, 0.0)                                                                              \
    X(double, PartsScale, -, 1.0)                                                                              \
    X(double, PartsAngle, -, 0.0)                                                                              \
    X(int16_t, CurrentPen, -, 0)                                                                               \
    X(int16_t, CurrentLineType, -, 0)                                                                          \
    X(uint32_t, CurrentColor, -, 0)                                                                            \
    X(int16_t, PaletteShown, -, -1)                                                                            \
    X(int16_t, CommandArgument, -, 0)                                                                          \
    X(float, GridPitch, -, 0.0f)                                                                               \
    X(int16_t, GridChangeKind, -, 0)                                                                           \
    X(int, ScaleDenominator, -, 1)                                                                             \
    X(std::string, DataFolder, -, )                                                                            \
    X(int16_t, LayerCount, -, 10)                                                                              \
    X(int16_t, CurrentLayer, -, 0)                                                                             \
    X(SettingsLayerNames, LayerNames, -, DefaultLayerNames())                                                  \
    X(SettingsLayerStates, LayerStates, -, DefaultLayerStates())                                               \
    X(int16_t, PaintPattern, -, 0)                                                                             \
    X(int16_t, MoveByCoordinates, -, 0)                                                                        \
    X(SettingsPrefixLengths, DimPrefixLengths, -, {})

#define ORVIK_STORED_SETTINGS(X)                                                                               \
    X(std::string, PartsFolder, Text<MaxPartsFolderBytes>, )                                                   \
    X(int16_t, PaletteLeft, InPosition<40>, 0)                                                                 \
    X(int16_t, PaletteTop, InPosition<80>, 0)                                                                  \
    X(int16_t, LayerListLeft, Both, 100)                                                                       \
    X(int16_t, LayerListTop, Both, 100)                                                                        \
    X(int16_t, LayerListWidth, Both, 122)                                                                      \
    X(int16_t, LayerListHeight, Both, 225)                                                                     \
    X(int16_t, UnitsMode, In, 0)                                                                               \
    X(int16_t, GridKind, In, 0)                                                                                \
    X(int16_t, GridLineType, In, 0)                                                                            \
    X(float, TextHeight, In, 10.0f)                                                                            \
    X(float, TextWidth, In, 10.0f)                                                                             \
    X(float, HatchSpacingY, In, 10.0f)                                                                         \
    X(float, HatchSpacingX, In, 10.0f)                                                                         \
    X(float, DimTextSize, In, 20.0f)                                                                           \
    X(int16_t, DimDecimals, In, 0)                                                                             \
    X(float, DimUpperExtension, In, 30.0f)                                                                     \
    X(float, DimLowerExtension, In, 10.0f)                                                                     \
    X(SettingsPenColors, PenColors, In, {0x000000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x4080C0}) \
    X(SettingsPenWidths, PenWidths, In, {0.13f, 0.25f, 0.35f, 0.5f, 0.7f, 0.9f, 1.2f, 1.5f})                   \
    X(SettingsThickWidths, ThickLineWidths, In, {0.1f, 0.2f, 0.5f})                                            \
    X(int16_t, ShowDrawingRange, Both, 1)                                                                      \
    X(int16_t, ShowOriginMark, Both, 1)                                                                        \
    X(int16_t, MagnetEnabled, Both, 1)                                                                         \
    X(int16_t, LengthReadoutEnabled, Both, 0)                                                                  \
    X(int16_t, DimDotSize, Both, 0)                                                                            \
    X(int16_t, DimArrowSize, Both, 0)                                                                          \
    X(int16_t, DimArrowScaleMode, Both, 0)                                                                     \
    X(float, PointCoordX, Both, 50.0f)                                                                         \
    X(float, PointCoordY, Both, 50.0f)                                                                         \
    X(float, PointOptionDistance, Both, 50.0f)                                                                 \
    X(int16_t, LineMode, Both, 0)                                                                              \
    X(int16_t, LineLengthGiven, Both, 0)                                                                       \
    X(int16_t, LineAngleGiven, Both, 0)                                                                        \
    X(int16_t, AngleBoxLengthGiven, Both, 0)                                                                   \
    X(int16_t, DoubleLineMode, Both, 0)                                                                        \
    X(int16_t, DoubleLineCentre, Both, 0)                                                                      \
    X(int16_t, ParallelDistanceGiven, Both, 0)                                                                 \
    X(int16_t, ParallelCount, Both, 1)                                                                         \
    X(int16_t, InfiniteLineMode, Both, 0)                                                                      \
    X(int16_t, ContinuousLineMode, Both, 0)                                                                    \
    X(float, AngleBoxAngle, Both, 90.0f)                                                                       \
    X(float, LineAngle, Both, 0.0f)                                                                            \
    X(float, LineLength, Both, 50.0f)                                                                          \
    X(float, DoubleLineLeftGap, Both, 20.0f)                                                                   \
    X(float, DoubleLineRightGap, Both, 20.0f)                                                                  \
    X(float, InfiniteLineAngle, Both, 0.0f)                                                                    \
    X(float, ParallelDistance, Both, 0.0f)                                                                     \
    X(int16_t, CircleRadiusGiven, Both, 0)                                                                     \
    X(int16_t, ArcDirection, Both, 0)                                                                          \
    X(float, CircleRadius, Both, 20.0f)                                                                        \
    X(float, ArcStartAngle, Both, 0.0f)                                                                        \
    X(float, ArcEndAngle, Both, 0.0f)                                                                          \
    X(int16_t, PolygonVertexCount, Both, 3)                                                                    \
    X(int16_t, ShapeSizeGiven, Both, 0)                                                                        \
    X(int16_t, RectBasePoint, Both, 0)                                                                         \
    X(int16_t, CornerTrimLine1, Both, 1)                                                                       \
    X(int16_t, CornerTrimLine2, Both, 1)                                                                       \
    X(int16_t, CornerMode, Both, 0)                                                                            \
    X(float, CornerDistance, Both, 10.0f)                                                                      \
    X(float, RectWidth, Both, 100.0f)                                                                          \
    X(float, RectHeight, Both, 100.0f)                                                                         \
    X(float, ShapeAngle, Both, 0.0f)                                                                           \
    X(float, PolygonDistance, Both, 50.0f)                                                                     \
    X(int16_t, HatchPattern, Both, 1)                                                                          \
    X(int16_t, ScaleBase, Both, 0)                                                                             \
    X(int16_t, StretchMode, Both, 2)                                                                           \
    X(int16_t, DimToleranceType, Tolerance, 0)                                                                 \
    X(int16_t, ArrowheadKind, Both, 0)                                                                         \
    X(int16_t, LeaderShape, Both, 0)                                                                           \
    X(int16_t, TextSubtype, Both, 0)                                                                           \
    X(int16_t, PointShape, Both, 0)                                                                            \
    X(float, TextAngle, Both, 0.0f)                                                                            \
    X(float, MoveScale, Both, 1.0f)                                                                            \
    X(float, MoveAngle, Both, 0.0f)                                                                            \
    X(float, HatchAngle, Both, 0.0f)                                                                           \
    X(float, OffsetDistance, Both, 10.0f)                                                                      \
    X(SettingsTolerances, ToleranceValue1, Both, {0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015, 0.0015}) \
    X(SettingsTolerances, ToleranceValue2, Both, {0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025, 0.0025}) \
    X(std::string, TextFontName, Text<MaxFontNameBytes>, "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e")      \
    X(std::string, DimFontName, InText<MaxFontNameBytes>, )                                                    \
    X(SettingsPrefixes, DimPrefixes, InText<MaxDimPrefixBytes>, )

#define ORVIK_ALL_SETTINGS(X) ORVIK_RUN_SETTINGS(X) ORVIK_STORED_SETTINGS(X)
