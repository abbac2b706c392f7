#pragma once
// Command ids of the main menu, the accelerators, the tool bar and the message bar.

namespace CmId {
// File
inline constexpr int FileNew = 24331;
inline constexpr int FileOpen = 24332;
inline constexpr int FileSave = 24333;
inline constexpr int FileSaveAs = 24334;
inline constexpr int FilePrint = 24337;
inline constexpr int FilePrintSetup = 24338;
inline constexpr int FilePrintPreview = 24340;
inline constexpr int Exit = 24310;
// Define
inline constexpr int QuickDefine = 150;
inline constexpr int EditGeneral = 103;
inline constexpr int MaterialProperties = 117;
inline constexpr int ConcreteSection = 153;
inline constexpr int TransverseReinforcement = 154;
inline constexpr int LongitudinalReinforcement = 156;
inline constexpr int Tendons = 5098;
// Loads
inline constexpr int SectionalLoads = 152;
inline constexpr int FireDamagedBeam = 135;
inline constexpr int TimeDependentEffects = 5190;
inline constexpr int ThermalShrinkageStrains = 5091;
inline constexpr int StrainDiscontinuity = 5110;
inline constexpr int FullMemberProperties = 10007;
// Catalog
inline constexpr int PreviousElement = 5875;
inline constexpr int Catalog = 5877;
inline constexpr int NextElement = 5876;
// Solve
inline constexpr int SectionalResponse = 5092;
inline constexpr int MoreDetail = 11845;
inline constexpr int UnloadSection = 10001;
inline constexpr int ReloadSection = 10002;
inline constexpr int MemberResponse = 5200;
inline constexpr int OneLoad = 5100;
inline constexpr int TwoStrain = 4001;
inline constexpr int OneStrain = 4000;
inline constexpr int MNInteraction = 120;
inline constexpr int MVInteraction = 5087;
inline constexpr int NVInteraction = 5086;
inline constexpr int StopAnalysis = 5088;
// View
inline constexpr int CrossSection = 5097;
inline constexpr int ViewXml = 10000;
inline constexpr int SingleGraph = 5095;
inline constexpr int NineGraphs = 113;
inline constexpr int NextLoadStage = 4501;
inline constexpr int PrevLoadStage = 4500;
inline constexpr int LoadDeformationPlot = 5096;
inline constexpr int MohrsCircles = 5874;
inline constexpr int Fire = 5880;
inline constexpr int FullMemberResults = 5210;
// Options
inline constexpr int Preferences = 321;
inline constexpr int PrintInColour = 5000;
inline constexpr int ObjectOptions = 4200;
inline constexpr int InsertTextBox = 5089;
inline constexpr int InsertGraphic = 5090;
inline constexpr int InsertChart = 5197;
inline constexpr int DeleteSelection = 5196;
// Help
inline constexpr int HelpOnline = 2001;
inline constexpr int HelpUsing = 2002;
inline constexpr int HelpAbout = 2009;
// Without a menu item
inline constexpr int DebugMode = 5300;
inline constexpr int ClampingStress = 11842;
inline constexpr int PageAction403 = 403;
inline constexpr int PageAction404 = 404;
inline constexpr int MemberDefinitionPage = 10006;
inline constexpr int CopyPicture = 3011;
// Recent-files entries of the File menu (one per entry).
inline constexpr int RecentFile0 = 24350;
} // namespace CmId

// Gadgets of the message bar.
namespace GadgetId {
inline constexpr int Program = 402;
inline constexpr int Status1 = 405;
inline constexpr int Status2 = 406;
inline constexpr int Status3 = 407;
} // namespace GadgetId
