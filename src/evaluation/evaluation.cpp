#include "src/evaluation/evaluation.h"

TEvaluation Evaluation_Of(const TLaserFile& file, int section, const char* name, const char* title)
{
    TEvaluation evaluation;
    evaluation.Name = QLatin1String(name);
    evaluation.Title = QLatin1String(title);
    evaluation.File = file.d_file_name;
    evaluation.Section = section;
    evaluation.Section_Label = file.Section_Label(section);
    evaluation.Deviation_Unit = file.Deviation_Unit();
    return evaluation;
}
