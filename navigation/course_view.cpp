#include "navigation/course_view.h"

#include "navigation/window_names.h"
#include "platform/window_service.h"

CourseView& lastCourseView()
{
    static CourseView view = CourseView::Text;
    return view;
}

void showCourse()
{
    platform::windows().show(window::HodResheniya_frm);
}

void showCourse(CourseView view)
{
    lastCourseView() = view;
    showCourse();
}

std::vector<platform::Command> courseCommands(const QString& courseTip)
{
    return {{QStringLiteral("Ход решения..."), Qt::Key_F2, courseTip, [] { showCourse(); }},
            {QStringLiteral("Ход решения по шагам..."), Qt::SHIFT | Qt::Key_F2,
             QStringLiteral("Ход решения по шагам, в рисунках: каждое вращение столбцов"),
             [] { showCourse(CourseView::Steps); }}};
}
