#include "common/course_view.h"

#include "common/window_names.h"
#include "platform/window_service.h"

CourseView& lastCourseView()
{
    static CourseView view = CourseView::Text;
    return view;
}

void showCourse(CourseView view)
{
    lastCourseView() = view;
    platform::windows().show(window::HodResheniya_frm);
}
